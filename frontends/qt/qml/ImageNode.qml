// A picture: a shipped resource or downloaded bytes; a grey box until it is drawn.
import QtQuick

Item {
    id: frame
    property var node: ({})
    property bool compact: false
    property real side: 60
    readonly property bool ready: picture.status === Image.Ready

    objectName: "image"
    height: compact ? side : Math.min(180, Math.max(40, picture.implicitHeight / 2)) + 8

    Rectangle {
        objectName: "placeholder"
        anchors.fill: picture
        color: "#e4e4e4"
        border.color: "#cccccc"
        visible: !frame.ready
    }

    Image {
        id: picture
        objectName: "picture"
        x: frame.compact ? 0 : (frame.width - width) / 2
        y: frame.compact ? 0 : 4
        width: frame.compact ? frame.side : Math.min(frame.width - 20,
                                                     Math.max(40, implicitWidth / 2))
        height: frame.compact ? frame.side : frame.height - 8
        fillMode: Image.PreserveAspectFit
        sourceSize.width: frame.compact ? 2 * frame.side : 600
        sourceSize.height: frame.compact ? 2 * frame.side : 360
        source: frame.node.source || ""
    }
}

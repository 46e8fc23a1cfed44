// Rating stars: full, half and empty stars out of the maximum.
import QtQuick

Item {
    id: stars
    property var node: ({})
    property bool compact: false
    readonly property real rating: node.rating || 0
    readonly property int maximum: node.maximum || 5

    objectName: "rating"
    height: 18

    Row {
        x: stars.compact ? 0 : 10
        anchors.verticalCenter: parent.verticalCenter
        spacing: 1
        Repeater {
            model: stars.maximum
            Item {
                required property int index
                width: 14
                height: 14
                readonly property real fill: Math.max(0, Math.min(1, stars.rating - index))
                Text {
                    anchors.centerIn: parent
                    text: "\u2605"
                    color: "#c8c8c8"
                    font.pixelSize: 14
                }
                Item {
                    width: parent.width * parent.fill
                    height: parent.height
                    clip: true
                    Text {
                        x: (14 - implicitWidth) / 2
                        anchors.verticalCenter: parent.verticalCenter
                        text: "\u2605"
                        color: "#f2a100"
                        font.pixelSize: 14
                    }
                }
            }
        }
    }
}

// A button: title or picture; faded when dimmed or disabled; a disabled one takes no taps.
// A button with neither title nor picture is an invisible tap area (it is left out here:
// the row or picture under it takes the tap).
import QtQuick

Item {
    id: button
    property var node: ({})
    property bool compact: false
    readonly property bool enabled_: node.enabled !== false
    readonly property bool empty: !node.title && !node.source

    objectName: node.id || ""
    visible: !empty
    height: empty ? 0 : (compact ? 30 : 44)

    Rectangle {
        id: face
        x: button.compact ? 0 : 10
        y: button.compact ? 1 : 4
        width: button.compact ? Math.min(button.width, Math.max(64, label.implicitWidth + 24))
                              : button.width - 20
        height: button.height - 2 * y
        radius: 8
        opacity: button.enabled_ && !button.node.dimmed ? 1 : 0.4
        border.color: button.node.selected ? "#2a6fd6" : "#9a9a9a"
        border.width: button.node.selected ? 2 : 1
        gradient: Gradient {
            GradientStop { position: 0; color: mouse.pressed ? "#4a8fe7" : "#ffffff" }
            GradientStop { position: 1; color: mouse.pressed ? "#2a6fd6" : "#e6e6e6" }
        }

        Image {
            anchors.centerIn: parent
            height: parent.height - 8
            width: parent.width - 8
            fillMode: Image.PreserveAspectFit
            source: button.node.source || ""
            visible: source != "" && !button.node.title
        }

        Text {
            id: label
            anchors.centerIn: parent
            width: Math.min(implicitWidth, parent.width - 12)
            elide: Text.ElideRight
            text: button.node.title || ""
            color: mouse.pressed ? "#ffffff" : "#324f85"
            font.pixelSize: button.compact ? 12 : 15
            font.bold: true
        }

        MouseArea {
            id: mouse
            anchors.fill: parent
            enabled: button.enabled_ && !button.empty
            onClicked: kelda.tap(button.node.id)
        }
    }
}

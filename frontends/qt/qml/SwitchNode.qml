// An on/off switch.
import QtQuick

Item {
    id: toggle
    property var node: ({})
    height: 38
    opacity: node.enabled === false ? 0.5 : 1

    Rectangle {
        id: track
        objectName: toggle.node.id || ""
        x: 10
        anchors.verticalCenter: parent.verticalCenter
        width: 58
        height: 27
        radius: height / 2
        color: toggle.node.on ? "#2f7de1" : "#e2e2e2"
        border.color: toggle.node.on ? "#2364b8" : "#b0b0b0"
        Text {
            x: toggle.node.on ? 9 : parent.width - implicitWidth - 9
            anchors.verticalCenter: parent.verticalCenter
            text: toggle.node.on ? "ON" : "OFF"
            color: toggle.node.on ? "#ffffff" : "#7a7a7a"
            font.pixelSize: 10
            font.bold: true
        }
        Rectangle {
            x: toggle.node.on ? parent.width - width - 1 : 1
            y: 1
            width: parent.height - 2
            height: width
            radius: width / 2
            color: "#fafafa"
            border.color: "#a0a0a0"
        }
    }

    MouseArea {
        anchors.fill: track
        enabled: toggle.node.enabled !== false
        onClicked: kelda.tap(toggle.node.id)
    }
}

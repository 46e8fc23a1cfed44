// A check box with its title.
import QtQuick

Item {
    id: check
    property var node: ({})
    objectName: node.id || ""
    height: Math.max(32, title.implicitHeight + 8)
    opacity: node.enabled === false ? 0.5 : 1

    Rectangle {
        id: box
        x: 10
        anchors.verticalCenter: parent.verticalCenter
        width: 20
        height: 20
        radius: 3
        color: "#ffffff"
        border.color: "#707070"
        Text {
            anchors.centerIn: parent
            visible: check.node.checked === true
            text: "\u2713"
            color: "#2f7de1"
            font.pixelSize: 16
            font.bold: true
        }
    }
    Text {
        id: title
        x: 38
        width: check.width - 48
        anchors.verticalCenter: parent.verticalCenter
        wrapMode: Text.Wrap
        text: check.node.title || ""
        font.pixelSize: 14
    }
    MouseArea {
        anchors.fill: parent
        enabled: check.node.enabled !== false
        onClicked: kelda.tap(check.node.id)
    }
}

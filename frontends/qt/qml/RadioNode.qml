// A radio button with its title.
import QtQuick

Item {
    id: radio
    property var node: ({})
    objectName: node.id || ""
    height: Math.max(32, title.implicitHeight + 8)
    opacity: node.enabled === false ? 0.5 : 1

    Rectangle {
        x: 10
        anchors.verticalCenter: parent.verticalCenter
        width: 20
        height: 20
        radius: 10
        color: "#ffffff"
        border.color: "#707070"
        Rectangle {
            anchors.centerIn: parent
            width: 10
            height: 10
            radius: 5
            color: "#2f7de1"
            visible: radio.node.selected === true
        }
    }
    Text {
        id: title
        x: 38
        width: radio.width - 48
        anchors.verticalCenter: parent.verticalCenter
        wrapMode: Text.Wrap
        text: radio.node.title || ""
        font.pixelSize: 14
    }
    MouseArea {
        anchors.fill: parent
        enabled: radio.node.enabled !== false
        onClicked: kelda.tap(radio.node.id)
    }
}

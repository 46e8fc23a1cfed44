// A button of the picker's toolbar.
import QtQuick

Rectangle {
    id: button
    property string buttonId: ""
    property string title: ""
    property bool strong: false
    objectName: buttonId
    width: label.implicitWidth + 20
    height: 30
    radius: 5
    color: strong ? "#2f6fd0" : "#5d6e85"
    border.color: "#3a4759"
    Text {
        id: label
        anchors.centerIn: parent
        text: button.title
        color: "#ffffff"
        font.pixelSize: 13
        font.bold: true
    }
    MouseArea {
        anchors.fill: parent
        onClicked: kelda.tap(button.buttonId)
    }
}

// The phone's status bar, with the network activity indicator.
import QtQuick

Rectangle {
    color: "#000000"

    Spinner {
        objectName: "networkActivity"
        x: 6
        anchors.verticalCenter: parent.verticalCenter
        size: 12
        barColor: "#ffffff"
        visible: kelda.networkActivity
    }

    Text {
        anchors.centerIn: parent
        text: "Kelda"
        color: "#ffffff"
        font.pixelSize: 11
        font.bold: true
    }
}

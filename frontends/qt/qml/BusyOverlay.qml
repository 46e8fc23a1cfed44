// The busy overlay: the whole screen dimmed under a large white spinner; it takes every touch.
import QtQuick

Rectangle {
    objectName: "busyOverlay"
    color: Qt.rgba(0.05, 0.05, 0.05, 0.6)

    Spinner {
        anchors.centerIn: parent
        size: 37
        barColor: "#ffffff"
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onWheel: (wheel) => { wheel.accepted = true }
    }
}

// An activity indicator inside a screen.
import QtQuick

Item {
    property var node: ({})
    objectName: "spinner"
    height: 24
    Spinner {
        anchors.centerIn: parent
        size: 20
        visible: parent.node.animating !== false
    }
}

// Views a screen put over the whole window (the launch's splash, say): drawn on a white sheet
// over everything but the status bar.
import QtQuick

Rectangle {
    id: layer
    objectName: "views"
    visible: kelda.views.length > 0
    color: "#ffffff"

    Column {
        anchors.centerIn: parent
        width: layer.width
        Repeater {
            model: kelda.views
            NodeView {
                required property var modelData
                width: layer.width
                element: modelData
            }
        }
    }

    MouseArea {
        anchors.fill: parent
        z: -1
    }
}

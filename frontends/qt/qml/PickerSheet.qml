// The picker slid up from the bottom with its toolbar: Cancel on the left, Done on the right.
import QtQuick

Rectangle {
    id: sheet
    objectName: "pickerSheet"
    readonly property var picker: kelda.picker
    visible: picker.kind !== undefined
    height: 44 + Math.max(176, content.height)
    color: "#c5ccd4"

    Rectangle {
        id: toolbar
        width: sheet.width
        height: 44
        gradient: Gradient {
            GradientStop { position: 0; color: "#8a98ab" }
            GradientStop { position: 1; color: "#6d7f96" }
        }
        ToolbarButton {
            anchors.left: parent.left
            anchors.leftMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            buttonId: sheet.picker.cancel || ""
            title: "Cancel"
            strong: false
            visible: sheet.picker.cancel !== undefined
        }
        ToolbarButton {
            anchors.right: parent.right
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            buttonId: sheet.picker.done || ""
            title: "Done"
            strong: true
            visible: sheet.picker.done !== undefined
        }
    }

    NodeView {
        id: content
        y: toolbar.height + 8
        width: sheet.width
        element: sheet.visible ? sheet.picker : ({})
    }

    MouseArea {
        anchors.fill: parent
        z: -1
    }
}

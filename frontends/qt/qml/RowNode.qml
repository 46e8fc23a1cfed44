// A table row: its picture (the row's own or its first picture element) on the left, its text,
// detail and elements, and on the right its accessory (disclosure, check mark, detail button),
// its spinner while busy, or its Delete button in edit mode. Tapping the row selects it.
import QtQuick

Rectangle {
    id: row
    property var node: ({})
    readonly property var elements: node.children || []
    readonly property int imageAt: indexOfKind("image")
    readonly property int spinnerAt: indexOfKind("spinner")
    readonly property bool pictureLead: imageAt >= 0 || spinnerAt >= 0
    readonly property bool iconLead: !pictureLead && (node.imageSource || "") !== ""
    readonly property real leadSide: pictureLead ? 60 : (iconLead ? 30 : 0)

    function indexOfKind(kind) {
        for (var i = 0; i < elements.length; ++i) {
            if (elements[i].kind === kind) return i
        }
        return -1
    }

    objectName: node.id || ""
    height: Math.max(44, body.height + 12, leadSide + 12)
    color: node.selected ? "#d6e4f6" : "#ffffff"

    MouseArea {
        anchors.fill: parent
        onClicked: kelda.tap(row.node.id)
    }

    Item {
        id: lead
        x: 8
        y: (row.height - height) / 2
        width: row.leadSide
        height: row.leadSide
        visible: row.leadSide > 0

        ImageNode {
            visible: row.imageAt >= 0
            width: lead.width
            compact: true
            side: lead.width
            node: row.imageAt >= 0 ? row.elements[row.imageAt] : ({})
        }
        Rectangle {
            anchors.fill: parent
            visible: row.imageAt < 0 && row.spinnerAt >= 0
            color: "#eeeeee"
            Spinner {
                anchors.centerIn: parent
                size: 20
            }
        }
        Image {
            anchors.fill: parent
            visible: row.iconLead
            fillMode: Image.PreserveAspectFit
            sourceSize.width: 2 * lead.width
            source: row.iconLead ? row.node.imageSource : ""
        }
    }

    Column {
        id: body
        x: lead.visible ? lead.x + lead.width + 8 : 10
        y: (row.height - height) / 2
        width: trailing.x - x - 4
        spacing: 1

        Text {
            width: body.width
            visible: text !== ""
            text: row.node.text || ""
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            font.pixelSize: 15
            font.bold: true
        }
        Text {
            width: body.width
            visible: text !== ""
            text: row.node.detail || ""
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: "#385487"
            font.pixelSize: 13
        }
        Repeater {
            model: row.elements
            NodeView {
                required property var modelData
                required property int index
                width: body.width
                compact: true
                visible: index !== row.imageAt && index !== row.spinnerAt
                element: visible ? modelData : ({})
            }
        }
    }

    Item {
        id: trailing
        x: row.width - width - 6
        width: Math.max(accessory.visible ? 22 : 0, busy.visible ? 22 : 0,
                        remove.visible ? remove.width : 0)
        height: row.height

        Text {
            id: accessory
            anchors.centerIn: parent
            visible: !row.node.busy && (row.node.accessory === "disclosure"
                                        || row.node.accessory === "checkmark")
            text: row.node.accessory === "checkmark" ? "\u2713" : "\u203a"
            color: row.node.accessory === "checkmark" ? "#385487" : "#8a8a8a"
            font.pixelSize: row.node.accessory === "checkmark" ? 18 : 26
            font.bold: row.node.accessory === "checkmark"
        }
        Rectangle {
            objectName: (row.node.id || "") + ".accessory"
            anchors.centerIn: parent
            visible: !row.node.busy && row.node.accessory === "detail"
            width: 22
            height: 22
            radius: 11
            color: "#2f7de1"
            border.color: "#ffffff"
            border.width: 2
            Text {
                anchors.centerIn: parent
                text: "\u203a"
                color: "#ffffff"
                font.pixelSize: 18
                font.bold: true
            }
            MouseArea {
                anchors.fill: parent
                anchors.margins: -6
                onClicked: kelda.tap(row.node.id + ".accessory")
            }
        }
        Spinner {
            id: busy
            anchors.centerIn: parent
            size: 18
            visible: row.node.busy === true
        }
        Rectangle {
            id: remove
            objectName: row.node.delete || ""
            anchors.centerIn: parent
            visible: row.node.delete !== undefined
            width: 58
            height: 28
            radius: 5
            color: "#d4201c"
            border.color: "#8c0f0c"
            Text {
                anchors.centerIn: parent
                text: "Delete"
                color: "#ffffff"
                font.pixelSize: 12
                font.bold: true
            }
            MouseArea {
                anchors.fill: parent
                onClicked: kelda.tap(row.node.delete)
            }
        }
    }

    Rectangle {
        anchors.bottom: parent.bottom
        x: body.x
        width: row.width - x
        height: 1
        color: "#e0e0e0"
    }
}

// A table inside another element (a screen's own tables are opened up into its list).
import QtQuick

Column {
    id: table
    property var node: ({})
    objectName: "table"
    Repeater {
        model: table.node.items || []
        NodeView {
            required property var modelData
            width: table.width
            element: modelData
        }
    }
}

// A group of elements drawn one under the other.
import QtQuick

Column {
    id: group
    property var node: ({})
    property bool compact: false
    Repeater {
        model: group.node.children || []
        NodeView {
            required property var modelData
            width: group.width
            compact: group.compact
            element: modelData
        }
    }
}

// A picker: one wheel per component. A chosen row is picked by its title, the other wheels
// keep theirs.
import QtQuick

Item {
    id: picker
    property var node: ({})
    readonly property var components: node.components || []

    objectName: node.id || ""
    height: 5 * 32 + 8

    function choose(component, row) {
        var rows = []
        for (var c = 0; c < components.length; ++c) {
            var at = c === component ? row : components[c].selected
            rows.push(String(components[c].rows[at]))
        }
        kelda.pick(node.id, rows)
    }

    Row {
        x: 6
        y: 4
        Repeater {
            model: picker.components
            Wheel {
                required property int index
                required property var modelData
                width: (picker.width - 12) / Math.max(1, picker.components.length)
                rows: modelData.rows
                selected: modelData.selected
                name: (picker.node.id || "") + ".wheel." + index
                onChosen: (row) => picker.choose(index, row)
            }
        }
    }
}

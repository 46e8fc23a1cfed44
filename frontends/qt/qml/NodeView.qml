// Draws one node of the screen tree with the component of its kind. `compact` nodes sit inside
// a row and take only the room they need. Components are loaded by file, since the components
// that hold other nodes (groups, tables, pages, rows) draw them with NodeView in turn.
import QtQuick

Loader {
    id: view
    property var element: ({})
    property bool compact: false

    readonly property var files: ({
        "label": "LabelNode.qml", "image": "ImageNode.qml", "rating": "RatingNode.qml",
        "spinner": "SpinnerNode.qml", "button": "ButtonNode.qml", "field": "FieldNode.qml",
        "search": "SearchNode.qml", "switch": "SwitchNode.qml", "check": "CheckNode.qml",
        "radio": "RadioNode.qml", "picker": "PickerNode.qml", "datePicker": "DatePickerNode.qml",
        "pages": "PagesNode.qml", "web": "WebNode.qml", "map": "MapNode.qml",
        "table": "TableNode.qml", "row": "RowNode.qml", "group": "GroupNode.qml",
        "sectionTitle": "SectionTitle.qml", "sectionFooter": "SectionFooter.qml"
    })

    source: files[element.kind] !== undefined ? files[element.kind] : ""

    onLoaded: {
        item.node = Qt.binding(function() { return view.element })
        if (item.compact !== undefined) item.compact = Qt.binding(function() { return view.compact })
    }
}

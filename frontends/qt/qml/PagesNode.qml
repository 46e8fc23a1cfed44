// A paged view: the current page's elements, turned by a swipe or by the page indicator's
// dots.
import QtQuick

Item {
    id: pages
    property var node: ({})
    readonly property int current: node.page || 0
    readonly property int count: node.pages || 0

    objectName: node.id || ""
    height: Math.max(60, content.height) + (node.indicator ? 24 : 0)

    Column {
        id: content
        width: pages.width
        Repeater {
            model: pages.node.children || []
            NodeView {
                required property var modelData
                width: pages.width
                element: modelData
            }
        }
    }

    // A swipe turns the page; a plain tap goes on to the element under it.
    MouseArea {
        anchors.fill: content
        propagateComposedEvents: true
        property real startX: 0
        property bool swiped: false
        onPressed: (mouse) => { startX = mouse.x; swiped = false }
        onReleased: (mouse) => {
            const moved = mouse.x - startX
            if (Math.abs(moved) > 40) {
                swiped = true
                const next = pages.current + (moved < 0 ? 1 : -1)
                if (next >= 0 && next < pages.count) kelda.page(next)
            }
        }
        onClicked: (mouse) => { mouse.accepted = swiped }
    }

    Row {
        objectName: (pages.node.id || "") + ".indicator"
        visible: pages.node.indicator === true
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 6
        spacing: 4
        Repeater {
            model: pages.count
            Rectangle {
                required property int index
                objectName: (pages.node.id || "") + ".dot." + index
                width: 12
                height: 12
                radius: 6
                color: "transparent"
                Rectangle {
                    anchors.centerIn: parent
                    width: 7
                    height: 7
                    radius: 3.5
                    color: index === pages.current ? "#303030" : "#b8b8b8"
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: kelda.page(index)
                }
            }
        }
    }
}

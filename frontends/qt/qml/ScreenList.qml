// The top screen's elements as one scrolling list; only the items in sight are made.
import QtQuick

ListView {
    id: list
    objectName: "screenList"
    clip: true
    model: kelda.items
    cacheBuffer: 240
    boundsBehavior: Flickable.StopAtBounds
    flickDeceleration: 2500
    maximumFlickVelocity: 3000

    delegate: NodeView {
        required property var node
        width: ListView.view.width
        element: node
    }

    Connections {
        target: kelda
        function onScreenNumberChanged() { list.positionViewAtBeginning() }
    }

    Rectangle {
        objectName: "scrollIndicator"
        visible: list.contentHeight > list.height && list.moving
        x: list.width - width - 2
        y: list.visibleArea.yPosition * list.height
        width: 3
        height: Math.max(12, list.visibleArea.heightRatio * list.height)
        radius: 1.5
        color: "#80000000"
    }
}

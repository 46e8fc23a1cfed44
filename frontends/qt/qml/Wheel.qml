// One wheel of a picker: its rows, the chosen one in the band across the middle. Turning the
// wheel or tapping a row chooses that row.
import QtQuick

Item {
    id: wheel
    property var rows: []
    property int selected: 0
    property string name: ""
    readonly property real rowHeight: 32
    signal chosen(int row)

    objectName: name
    height: 5 * rowHeight
    clip: true

    Rectangle {
        anchors.fill: parent
        anchors.margins: 2
        radius: 4
        color: "#ffffff"
        border.color: "#8a8a8a"
    }

    ListView {
        id: list
        anchors.fill: parent
        model: wheel.rows
        highlightRangeMode: ListView.StrictlyEnforceRange
        preferredHighlightBegin: 2 * wheel.rowHeight
        preferredHighlightEnd: 3 * wheel.rowHeight
        highlightMoveDuration: 0
        snapMode: ListView.SnapToItem
        boundsBehavior: Flickable.StopAtBounds
        delegate: Item {
            id: row
            required property int index
            required property var modelData
            objectName: wheel.name + ".row." + index
            width: list.width
            height: wheel.rowHeight
            Text {
                anchors.fill: parent
                anchors.leftMargin: 6
                anchors.rightMargin: 6
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
                text: String(row.modelData)
                font.pixelSize: 16
                font.bold: row.index === wheel.selected
                color: row.index === wheel.selected ? "#000000" : "#606060"
            }
            MouseArea {
                anchors.fill: parent
                onClicked: wheel.chosen(row.index)
            }
        }
        onMovementEnded: if (currentIndex !== wheel.selected) wheel.chosen(currentIndex)
        Component.onCompleted: currentIndex = wheel.selected
    }

    onSelectedChanged: list.currentIndex = selected

    Rectangle {
        y: 2 * wheel.rowHeight
        width: parent.width
        height: wheel.rowHeight
        color: "#332f7de1"
        border.color: "#802f7de1"
    }
}

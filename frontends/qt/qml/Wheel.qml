// One wheel of a picker: its rows, the chosen one in the band across the middle. Turning the
// wheel or tapping a row chooses that row.
import QtQuick

Item {
    id: wheelView
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
        model: wheelView.rows
        highlightRangeMode: ListView.StrictlyEnforceRange
        preferredHighlightBegin: 2 * wheelView.rowHeight
        preferredHighlightEnd: 3 * wheelView.rowHeight
        highlightMoveDuration: 0
        snapMode: ListView.SnapToItem
        boundsBehavior: Flickable.StopAtBounds
        delegate: Item {
            id: row
            required property int index
            required property var modelData
            objectName: wheelView.name + ".row." + index
            width: list.width
            height: wheelView.rowHeight
            Text {
                anchors.fill: parent
                anchors.leftMargin: 6
                anchors.rightMargin: 6
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
                text: String(row.modelData)
                font.pixelSize: 16
                font.bold: row.index === wheelView.selected
                color: row.index === wheelView.selected ? "#000000" : "#606060"
            }
            MouseArea {
                anchors.fill: parent
                onClicked: wheelView.chosen(row.index)
            }
        }
        onMovementEnded: if (currentIndex !== wheelView.selected) wheelView.chosen(currentIndex)
        onCountChanged: Qt.callLater(wheelView.showSelected)
        Component.onCompleted: wheelView.showSelected()
    }

    // The chosen row in the band, whatever turned the wheel before.
    function showSelected() {
        list.currentIndex = selected
        list.positionViewAtIndex(selected, ListView.Center)
    }
    onSelectedChanged: Qt.callLater(showSelected)

    Rectangle {
        y: 2 * wheelView.rowHeight
        width: parent.width
        height: wheelView.rowHeight
        color: "#332f7de1"
        border.color: "#802f7de1"
    }
}

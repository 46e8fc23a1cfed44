// One item of the tab bar.
import QtQuick

Item {
    id: item
    property var tab: ({})
    objectName: tab.id || ""

    Rectangle {
        anchors.fill: parent
        anchors.margins: 2
        radius: 3
        color: "#ffffff"
        opacity: 0.15
        visible: item.tab.selected === true
    }

    Image {
        id: icon
        anchors.horizontalCenter: parent.horizontalCenter
        y: 4
        width: 28
        height: 26
        fillMode: Image.PreserveAspectFit
        sourceSize.height: 52
        source: item.tab.source || ""
        opacity: item.tab.selected ? 1 : 0.6
    }

    Text {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 3
        text: item.tab.title || ""
        color: item.tab.selected ? "#ffffff" : "#a0a0a0"
        font.pixelSize: 10
        font.bold: item.tab.selected === true
    }

    Rectangle {
        objectName: (item.tab.id || "") + ".badge"
        visible: (item.tab.badge || "") !== ""
        x: parent.width / 2 + 6
        y: 1
        height: 18
        width: Math.max(height, badgeText.implicitWidth + 10)
        radius: height / 2
        color: "#e0201b"
        border.color: "#ffffff"
        border.width: 1.5
        Text {
            id: badgeText
            anchors.centerIn: parent
            text: item.tab.badge || ""
            color: "#ffffff"
            font.pixelSize: 11
            font.bold: true
        }
    }

    MouseArea {
        anchors.fill: parent
        onClicked: kelda.tap(item.tab.id)
    }
}

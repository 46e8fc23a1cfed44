// A button of the navigation bar (the back button has a pointed left edge).
import QtQuick

Item {
    id: barButton
    property var button: ({})
    property bool back: false
    property color tint: "#6d84a2"
    readonly property bool enabled_: button.enabled === undefined || button.enabled

    objectName: button.id || ""
    visible: button.id !== undefined
    width: Math.min(110, Math.max(label.implicitWidth, icon.visible ? 24 : 0) + (back ? 22 : 16))
    height: 30
    opacity: enabled_ ? 1 : 0.45

    Rectangle {
        x: barButton.back ? 7 : 0
        width: parent.width - x
        height: parent.height
        radius: 5
        color: Qt.darker(barButton.tint, 1.15)
        border.color: Qt.darker(barButton.tint, 1.6)
    }

    Rectangle {
        visible: barButton.back
        x: 7 - width / 2 + 3
        y: parent.height / 2 - height / 2
        width: 21
        height: 21
        rotation: 45
        color: Qt.darker(barButton.tint, 1.15)
        border.color: Qt.darker(barButton.tint, 1.6)
        Rectangle {
            x: parent.width / 2
            width: parent.width / 2 + 1
            height: parent.height
            y: 0
            color: Qt.darker(barButton.tint, 1.15)
        }
    }

    Image {
        id: icon
        anchors.centerIn: parent
        height: 20
        fillMode: Image.PreserveAspectFit
        source: barButton.button.source || ""
        visible: source != "" && !barButton.button.title
    }

    Text {
        id: label
        anchors.centerIn: parent
        anchors.horizontalCenterOffset: barButton.back ? 4 : 0
        width: Math.min(implicitWidth, 94)
        elide: Text.ElideRight
        text: barButton.button.title || ""
        color: "#ffffff"
        font.pixelSize: 12
        font.bold: true
    }

    MouseArea {
        anchors.fill: parent
        enabled: barButton.enabled_
        onClicked: kelda.tap(barButton.button.id)
    }
}

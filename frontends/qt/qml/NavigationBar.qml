// The navigation bar: title (or title picture), back button, left and right bar buttons.
import QtQuick

Rectangle {
    id: navigation
    property var bar: ({})
    readonly property color tint: bar.tint !== undefined ? bar.tint : "#6d84a2"

    gradient: Gradient {
        GradientStop { position: 0; color: Qt.lighter(navigation.tint, 1.25) }
        GradientStop { position: 1; color: navigation.tint }
    }

    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: Qt.darker(navigation.tint, 1.5)
    }

    // The title picture (the store's logo); while it is missing, the store's name in its place.
    Image {
        id: logo
        anchors.centerIn: parent
        height: 30
        fillMode: Image.PreserveAspectFit
        source: navigation.bar.titleSource || ""
        visible: status === Image.Ready
    }

    Text {
        anchors.centerIn: parent
        width: parent.width - 150
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        visible: !logo.visible
        text: navigation.bar.title ? navigation.bar.title
                                   : (navigation.bar.titleSource ? "Kelda" : "")
        color: "#ffffff"
        font.pixelSize: 17
        font.bold: true
        style: Text.Raised
        styleColor: Qt.darker(navigation.tint, 1.6)
    }

    BarButton {
        anchors.left: parent.left
        anchors.leftMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        button: navigation.bar.back !== undefined ? navigation.bar.back
                                                   : (navigation.bar.left || ({}))
        back: navigation.bar.back !== undefined
        tint: navigation.tint
    }

    BarButton {
        anchors.right: parent.right
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        button: navigation.bar.right || ({})
        tint: navigation.tint
    }
}

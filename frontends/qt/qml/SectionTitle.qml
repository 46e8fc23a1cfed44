// The title of a table's section.
import QtQuick

Rectangle {
    property var node: ({})
    objectName: "sectionTitle"
    height: title.implicitHeight + 8
    gradient: Gradient {
        GradientStop { position: 0; color: "#a5b1ba" }
        GradientStop { position: 1; color: "#b9c3c9" }
    }
    Text {
        id: title
        x: 10
        width: parent.width - 20
        anchors.verticalCenter: parent.verticalCenter
        wrapMode: Text.Wrap
        text: parent.node.text || ""
        textFormat: Text.PlainText
        color: "#ffffff"
        font.pixelSize: 14
        font.bold: true
        style: Text.Raised
        styleColor: "#808b94"
    }
}

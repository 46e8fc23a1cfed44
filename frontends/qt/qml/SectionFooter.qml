// The footer text of a table's section.
import QtQuick

Text {
    property var node: ({})
    objectName: "sectionFooter"
    leftPadding: 12
    rightPadding: 12
    topPadding: 4
    bottomPadding: 6
    height: implicitHeight
    wrapMode: Text.Wrap
    horizontalAlignment: Text.AlignHCenter
    text: node.text || ""
    textFormat: Text.PlainText
    color: "#4c566c"
    font.pixelSize: 12
}

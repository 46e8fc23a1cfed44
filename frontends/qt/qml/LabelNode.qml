// A label: text with its style (normal, bold, title, small, italic, strikethrough) and colour.
import QtQuick

Text {
    property var node: ({})
    property bool compact: false
    leftPadding: compact ? 0 : 10
    rightPadding: compact ? 0 : 10
    topPadding: compact ? 1 : 4
    bottomPadding: compact ? 1 : 4
    height: implicitHeight
    text: node.text || ""
    textFormat: Text.PlainText
    wrapMode: Text.Wrap
    color: node.color || "#000000"
    font.pixelSize: node.style === "title" ? 18 : node.style === "small" ? 11 : compact ? 13 : 14
    font.bold: node.style === "bold" || node.style === "title"
    font.italic: node.style === "italic"
    font.strikeout: node.style === "strikethrough"
}

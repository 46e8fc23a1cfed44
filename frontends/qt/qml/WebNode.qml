// A web view: its address, a spinner while it loads, the error when it failed, and the page's
// text with its links (a link opens as the client opens outside addresses).
import QtQuick

Column {
    id: web
    property var node: ({})
    objectName: "web"
    spacing: 4
    topPadding: 4
    bottomPadding: 8

    Rectangle {
        width: web.width
        height: 20
        color: "#eeeeee"
        Text {
            x: 8
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - 36
            elide: Text.ElideMiddle
            text: web.node.url || ""
            color: "#606060"
            font.pixelSize: 10
        }
        Spinner {
            anchors.right: parent.right
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            size: 14
            visible: web.node.loading === true
        }
    }

    Text {
        x: 10
        width: web.width - 20
        visible: (web.node.error || "") !== ""
        text: web.node.error || ""
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        color: "#c02020"
        font.pixelSize: 13
    }

    Text {
        objectName: "webPage"
        x: 10
        width: web.width - 20
        visible: text !== ""
        text: web.node.page || ""
        textFormat: Text.StyledText
        wrapMode: Text.Wrap
        linkColor: "#2a6fd6"
        font.pixelSize: 13
        onLinkActivated: (link) => kelda.openLink(link)
    }
}

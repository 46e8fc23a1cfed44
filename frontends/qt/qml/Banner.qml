// The drop-in banner: drops in over the top of the screen, stays, and folds away when the
// client says so.
import QtQuick

Item {
    id: banner
    objectName: "banner"
    readonly property bool shown: kelda.banner.text !== undefined
    height: 40
    clip: true
    visible: shown || sheet.y > -height

    Rectangle {
        id: sheet
        width: banner.width
        height: banner.height
        y: banner.shown ? 0 : -height
        color: "#e6303030"
        Behavior on y {
            enabled: kelda.animated
            NumberAnimation { duration: 300; easing.type: Easing.OutCubic }
        }
        Text {
            anchors.centerIn: parent
            width: parent.width - 20
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: kelda.banner.text || ""
            color: "#ffffff"
            font.pixelSize: 14
            font.bold: true
        }
    }
}

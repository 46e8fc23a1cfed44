// Outside addresses the client opened when no desktop opener took them: shown until tapped.
import QtQuick

Column {
    id: notices
    spacing: 4
    Repeater {
        model: kelda.notices
        Rectangle {
            required property int index
            required property string modelData
            objectName: "notice." + index
            x: 8
            width: notices.width - 16
            height: text.implicitHeight + 12
            radius: 6
            color: "#e0202020"
            Text {
                id: text
                x: 8
                width: parent.width - 16
                anchors.verticalCenter: parent.verticalCenter
                wrapMode: Text.WrapAnywhere
                text: "Opened: " + parent.modelData
                color: "#ffffff"
                font.pixelSize: 11
            }
            MouseArea {
                anchors.fill: parent
                onClicked: kelda.dismissNotice(parent.index)
            }
        }
    }
}

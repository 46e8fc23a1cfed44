// The alert: title, message and buttons on a panel over the dimmed screen; only its buttons
// can be pressed while it is shown.
import QtQuick

Rectangle {
    id: alert
    objectName: "alert"
    readonly property var shown: kelda.alert
    readonly property var buttons: shown.buttons || []
    visible: shown.buttons !== undefined
    color: "#66000000"

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onWheel: (wheel) => { wheel.accepted = true }
    }

    Rectangle {
        id: panel
        anchors.centerIn: parent
        width: 270
        height: column.height + 24
        radius: 10
        color: "#e6203a6a"
        border.color: "#e0e8f0"
        border.width: 2

        Column {
            id: column
            x: 12
            y: 12
            width: panel.width - 24
            spacing: 8

            Text {
                width: column.width
                visible: text !== ""
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                text: alert.shown.title || ""
                textFormat: Text.PlainText
                color: "#ffffff"
                font.pixelSize: 16
                font.bold: true
            }
            Text {
                width: column.width
                visible: text !== ""
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                text: alert.shown.message || ""
                textFormat: Text.PlainText
                color: "#ffffff"
                font.pixelSize: 14
            }
            Flow {
                width: column.width
                spacing: 8
                Repeater {
                    model: alert.buttons
                    Rectangle {
                        required property var modelData
                        objectName: modelData.id
                        width: alert.buttons.length === 2 ? (column.width - 8) / 2 : column.width
                        height: 40
                        radius: 6
                        color: "#3c5a8c"
                        border.color: "#9fb1cc"
                        Text {
                            anchors.centerIn: parent
                            width: parent.width - 10
                            horizontalAlignment: Text.AlignHCenter
                            elide: Text.ElideRight
                            text: parent.modelData.title
                            color: "#ffffff"
                            font.pixelSize: 15
                            font.bold: true
                        }
                        MouseArea {
                            anchors.fill: parent
                            onClicked: kelda.tap(parent.modelData.id)
                        }
                    }
                }
            }
        }
    }
}

// A search bar: typed into like a field; Return presses its search key; Cancel when shown.
import QtQuick

Rectangle {
    id: search
    property var node: ({})
    property double sent: 0
    readonly property bool editing: kelda.keyboardField !== "" && kelda.keyboardField === node.id

    objectName: node.id || ""
    height: 44
    gradient: Gradient {
        GradientStop { position: 0; color: "#c9d0d9" }
        GradientStop { position: 1; color: "#a4afbe" }
    }

    Rectangle {
        id: box
        x: 8
        y: 7
        width: search.width - 16 - (cancel.visible ? cancel.width + 6 : 0)
        height: 30
        radius: 15
        color: "#ffffff"
        border.color: "#7a8797"

        Text {
            id: glass
            x: 8
            anchors.verticalCenter: parent.verticalCenter
            text: "\u2315"
            color: "#808080"
            font.pixelSize: 15
        }
        Text {
            x: 26
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - 34
            elide: Text.ElideRight
            text: (search.editing ? input.text : (search.node.text || "")) === ""
                  ? (search.node.placeholder || "") : ""
            color: "#a0a0a0"
            font.pixelSize: 14
        }
        Text {
            x: 26
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - 34
            elide: Text.ElideRight
            visible: !search.editing
            text: search.node.text || ""
            textFormat: Text.PlainText
            font.pixelSize: 14
        }
        TextInput {
            id: input
            objectName: (search.node.id || "") + ".input"
            x: 26
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - 34
            clip: true
            visible: search.editing
            enabled: search.editing
            font.pixelSize: 14
            onTextEdited: search.sent = kelda.type(search.node.id, text)
            Keys.onReturnPressed: kelda.returnKey(search.node.id)
            Keys.onEnterPressed: kelda.returnKey(search.node.id)
        }
        MouseArea {
            anchors.fill: parent
            visible: !search.editing
            onClicked: kelda.tap(search.node.id)
        }
    }

    Rectangle {
        id: cancel
        objectName: search.node.cancel || ""
        visible: search.node.cancel !== undefined
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        width: cancelText.implicitWidth + 16
        height: 30
        radius: 5
        color: "#6d84a2"
        border.color: "#4a5f7d"
        Text {
            id: cancelText
            anchors.centerIn: parent
            text: "Cancel"
            color: "#ffffff"
            font.pixelSize: 12
            font.bold: true
        }
        MouseArea {
            anchors.fill: parent
            onClicked: kelda.tap(search.node.cancel)
        }
    }

    onEditingChanged: {
        if (editing) {
            input.text = node.text || ""
            input.forceActiveFocus()
        } else {
            input.focus = false
        }
    }
    Component.onCompleted: if (editing) { input.text = node.text || ""; input.forceActiveFocus() }

    Connections {
        target: kelda
        function onProgressChanged() {
            if (search.editing && kelda.actionsDone >= search.sent
                    && (search.node.text || "") !== input.text) {
                input.text = search.node.text || ""
            }
        }
    }
}

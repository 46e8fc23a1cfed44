// A text field. Tapping it begins editing (the client decides); while the tree says it has
// the keyboard, it takes the keys: each change is typed into the field, Return presses the
// field's return key. Secure fields show bullets.
import QtQuick

Item {
    id: field
    property var node: ({})
    property double sent: 0
    readonly property bool editing: kelda.keyboardField !== "" && kelda.keyboardField === node.id

    objectName: node.id || ""
    height: 40
    opacity: node.enabled === false ? 0.5 : 1

    Rectangle {
        id: box
        x: 10
        y: 4
        width: field.width - 20
        height: 32
        radius: 6
        color: "#ffffff"
        border.color: field.editing ? "#4a90d9" : "#a8a8a8"
        border.width: field.editing ? 2 : 1

        Text {
            x: 8
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - 16
            elide: Text.ElideRight
            text: field.node.placeholder || ""
            color: "#a0a0a0"
            font.pixelSize: 14
            visible: !field.editing && !(field.node.text || "") || field.editing && input.text === ""
        }

        Text {
            x: 8
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - 16
            elide: Text.ElideRight
            text: field.node.text || ""
            textFormat: Text.PlainText
            color: "#000000"
            font.pixelSize: 14
            visible: !field.editing
        }

        TextInput {
            id: input
            objectName: (field.node.id || "") + ".input"
            x: 8
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - 16
            clip: true
            visible: field.editing
            enabled: field.editing
            font.pixelSize: 14
            echoMode: field.node.secure ? TextInput.Password : TextInput.Normal
            passwordCharacter: "\u2022"
            onTextEdited: field.sent = kelda.type(field.node.id, text)
            Keys.onReturnPressed: kelda.returnKey(field.node.id)
            Keys.onEnterPressed: kelda.returnKey(field.node.id)
        }

        Text {
            anchors.right: parent.right
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            visible: field.editing
            text: kelda.returnKeyName
            color: "#4a90d9"
            font.pixelSize: 10
        }
    }

    MouseArea {
        anchors.fill: box
        visible: !field.editing
        enabled: field.node.enabled !== false
        onClicked: kelda.tap(field.node.id)
    }

    // Editing starts from the field's text (a secure field starts empty, as its text is not
    // shown); the keys follow the tree's keyboard.
    onEditingChanged: {
        if (editing) {
            input.text = node.secure ? "" : (node.text || "")
            input.forceActiveFocus()
        } else {
            input.focus = false
        }
    }
    Component.onCompleted: if (editing) { input.text = node.secure ? "" : (node.text || ""); input.forceActiveFocus() }

    // A field may refuse characters: once the client has caught up with the typing, the input
    // shows what the field holds.
    Connections {
        target: kelda
        function onProgressChanged() {
            if (field.editing && !field.node.secure && kelda.actionsDone >= field.sent
                    && (field.node.text || "") !== input.text) {
                input.text = field.node.text || ""
            }
        }
    }
}

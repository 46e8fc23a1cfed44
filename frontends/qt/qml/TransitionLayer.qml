// Transitions as short animations over a picture of the window before the change: a page curl
// lifts the old page up (or lays it down), a flip turns it over, a fade lets it fade away.
import QtQuick

Item {
    id: layer
    objectName: "transition"
    clip: true

    Image {
        id: page
        width: layer.width
        height: layer.height
        visible: false
        sourceSize.width: layer.width * 2
        transform: [
            Rotation {
                id: turn
                origin.x: page.width / 2
                origin.y: page.height / 2
                axis { x: 0; y: 1; z: 0 }
                angle: 0
            }
        ]
    }

    SequentialAnimation {
        id: curl
        property real toY: -layer.height
        ParallelAnimation {
            NumberAnimation { target: page; property: "y"; from: 0; to: curl.toY; duration: curl.duration; easing.type: Easing.InQuad }
            NumberAnimation { target: page; property: "rotation"; from: 0; to: curl.toY < 0 ? -12 : 12; duration: curl.duration }
            NumberAnimation { target: page; property: "opacity"; from: 1; to: 0.6; duration: curl.duration }
        }
        ScriptAction { script: page.visible = false }
        property int duration: 600
    }
    SequentialAnimation {
        id: flip
        property int duration: 600
        property real toAngle: 90
        NumberAnimation { target: turn; property: "angle"; from: 0; to: flip.toAngle; duration: flip.duration }
        ScriptAction { script: page.visible = false }
    }
    SequentialAnimation {
        id: fade
        property int duration: 600
        NumberAnimation { target: page; property: "opacity"; from: 1; to: 0; duration: fade.duration }
        ScriptAction { script: page.visible = false }
    }

    Connections {
        target: kelda
        function onTransition(name, seconds, shot) {
            curl.stop(); flip.stop(); fade.stop()
            const duration = Math.max(100, Math.min(2000, seconds * 1000))
            page.source = shot
            page.y = 0
            page.rotation = 0
            page.opacity = 1
            turn.angle = 0
            page.visible = true
            if (name === "curlUp" || name === "curlDown") {
                curl.toY = name === "curlUp" ? -layer.height : layer.height
                curl.duration = duration
                curl.start()
            } else if (name === "flipFromLeft" || name === "flipFromRight") {
                flip.toAngle = name === "flipFromLeft" ? 90 : -90
                flip.duration = duration
                flip.start()
            } else {
                fade.duration = duration
                fade.start()
            }
        }
    }
}

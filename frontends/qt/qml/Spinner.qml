// A spinning activity indicator: twelve bars turning while shown.
import QtQuick

Item {
    id: spinner
    property real size: 20
    property color barColor: "#808080"
    width: size
    height: size

    Item {
        id: wheel
        anchors.fill: parent
        Repeater {
            model: 12
            Rectangle {
                required property int index
                x: spinner.size / 2 - width / 2
                y: 0
                width: Math.max(1.5, spinner.size / 10)
                height: spinner.size * 0.28
                radius: width / 2
                color: spinner.barColor
                opacity: 0.25 + 0.75 * index / 11
                transform: Rotation {
                    origin.x: width / 2
                    origin.y: spinner.size / 2
                    angle: index * 30
                }
            }
        }
        RotationAnimator on rotation {
            from: 0
            to: 360
            duration: 1000
            loops: Animation.Infinite
            running: spinner.visible
        }
    }
}

// A map view on a plain drawn map: the region's grid, its pins where they stand, and the
// chosen pin's title and subtitle.
import QtQuick

Item {
    id: map
    property var node: ({})
    objectName: "map"
    height: 240

    Rectangle {
        id: ground
        x: 10
        y: 6
        width: map.width - 20
        height: map.height - 12
        color: "#e9efdc"
        border.color: "#a9b59a"
        clip: true

        Repeater {
            model: 7
            Rectangle {
                required property int index
                x: (index + 1) * ground.width / 8
                width: index === 3 ? 5 : 1
                height: ground.height
                color: index === 3 ? "#ffffff" : "#d2dbc3"
            }
        }
        Repeater {
            model: 5
            Rectangle {
                required property int index
                y: (index + 1) * ground.height / 6
                width: ground.width
                height: index === 2 ? 5 : 1
                color: index === 2 ? "#ffffff" : "#d2dbc3"
            }
        }
        Rectangle {
            x: ground.width * 0.62
            y: -10
            width: 26
            height: ground.height * 0.7
            rotation: 25
            color: "#b7d3ea"
        }

        Repeater {
            model: map.node.pins || []
            Item {
                id: pin
                required property var modelData
                objectName: modelData.id || ""
                visible: modelData.inside === true
                x: modelData.x * ground.width - width / 2
                y: modelData.y * ground.height - height
                width: 24
                height: 30
                z: modelData.selected ? 2 : 1
                Rectangle {
                    x: 11
                    y: 12
                    width: 2
                    height: 18
                    color: "#505050"
                }
                Rectangle {
                    x: 4
                    y: 0
                    width: 16
                    height: 16
                    radius: 8
                    color: pin.modelData.selected ? "#8a1010" : "#e0301e"
                    border.color: "#700000"
                }
                MouseArea {
                    anchors.fill: parent
                    anchors.margins: -6
                    onClicked: kelda.tap(pin.modelData.id)
                }
                Rectangle {
                    visible: pin.modelData.selected === true
                    // Above the pin, or below it when the pin is near the top of the map.
                    x: Math.max(-pin.x, Math.min(ground.width - pin.x - width, 12 - width / 2))
                    y: pin.y > height + 4 ? -height - 4 : pin.height + 2
                    width: Math.min(200, Math.max(title.implicitWidth, subtitle.implicitWidth) + 16)
                    height: subtitle.text !== "" ? 36 : 22
                    radius: 5
                    color: "#e0202020"
                    Text {
                        id: title
                        x: 8
                        y: 3
                        width: parent.width - 16
                        elide: Text.ElideRight
                        text: pin.modelData.title || ""
                        color: "#ffffff"
                        font.pixelSize: 12
                        font.bold: true
                    }
                    Text {
                        id: subtitle
                        x: 8
                        y: 19
                        width: parent.width - 16
                        elide: Text.ElideRight
                        text: pin.modelData.subtitle || ""
                        color: "#dddddd"
                        font.pixelSize: 10
                    }
                }
            }
        }
    }
}

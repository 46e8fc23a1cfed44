// The tab bar: five items with pictures, titles and badges; the selected one lit.
import QtQuick

Rectangle {
    id: tabBar
    gradient: Gradient {
        GradientStop { position: 0; color: "#3a3a3a" }
        GradientStop { position: 0.5; color: "#161616" }
        GradientStop { position: 1; color: "#000000" }
    }

    Row {
        anchors.fill: parent
        Repeater {
            model: kelda.tabs
            TabItem {
                required property var modelData
                tab: modelData
                width: tabBar.width / Math.max(1, kelda.tabs.length)
                height: tabBar.height
            }
        }
    }
}

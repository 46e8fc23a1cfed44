// The phone's screen: status bar, navigation bar, the top screen's elements, tab bar, and what
// comes over them (views over the window, banner, opened addresses, busy overlay, picker,
// alert, transition).
import QtQuick

Rectangle {
    id: phone
    color: "#ffffff"
    clip: true

    readonly property bool hasBar: kelda.navigationBar.title !== undefined
    readonly property bool hasTabs: kelda.tabs.length > 0

    StatusBar {
        id: status
        width: phone.width
        height: 20
    }

    NavigationBar {
        id: navigation
        y: status.height
        width: phone.width
        height: 44
        visible: phone.hasBar
        bar: kelda.navigationBar
    }

    ScreenList {
        id: content
        y: phone.hasBar ? navigation.y + navigation.height : status.height
        width: phone.width
        height: (phone.hasTabs ? tabs.y : phone.height) - y
    }

    TabBar {
        id: tabs
        y: phone.height - height
        width: phone.width
        height: 49
        visible: phone.hasTabs
    }

    ViewsLayer {
        y: status.height
        width: phone.width
        height: phone.height - status.height
    }

    Banner {
        y: content.y
        width: phone.width
    }

    Notices {
        width: phone.width
        y: content.y + content.height - height - 4
    }

    BusyOverlay {
        anchors.fill: parent
        visible: kelda.busy
    }

    PickerSheet {
        width: phone.width
        y: phone.height - height
    }

    AlertPanel {
        anchors.fill: parent
    }

    TransitionLayer {
        anchors.fill: parent
    }
}

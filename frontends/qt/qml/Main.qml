// The window: the phone's 320 by 480 points drawn at twice that size.
import QtQuick

Item {
    id: root
    width: 640
    height: 960

    Phone {
        objectName: "phone"
        width: 320
        height: 480
        scale: root.width / 320
        transformOrigin: Item.TopLeft
    }
}

// A date picker: month, day and year wheels (and hour and minute with a time). A turn picks
// the whole date ("YYYY-MM-DD", or "YYYY-MM-DD HH:MM"); a day past the month's end becomes
// its last day. A picker of the time alone shows its time.
import QtQuick

Item {
    id: picker
    property var node: ({})
    readonly property var months: ["January", "February", "March", "April", "May", "June",
        "July", "August", "September", "October", "November", "December"]
    readonly property int firstYear: node.minimumYear || 1900
    readonly property int lastYear: Math.max(firstYear, node.maximumYear || 2100)
    readonly property bool withDate: node.mode !== "time"
    readonly property bool withTime: node.mode !== "date"

    objectName: node.id || ""
    height: 5 * 32 + 8

    function numbers(from, to) {
        var list = []
        for (var n = from; n <= to; ++n) list.push(n)
        return list
    }
    function twoDigits(n) { return (n < 10 ? "0" : "") + n }

    function choose(part, value) {
        var year = part === "year" ? value : node.year
        var month = part === "month" ? value : node.month
        var day = part === "day" ? value : node.day
        var hour = part === "hour" ? value : node.hour
        var minute = part === "minute" ? value : node.minute
        day = Math.min(day, new Date(Date.UTC(year, month, 0)).getUTCDate())
        var text = year + "-" + twoDigits(month) + "-" + twoDigits(day)
        if (withTime) text += " " + twoDigits(hour) + ":" + twoDigits(minute)
        kelda.pick(node.id, [text])
    }

    Row {
        x: 6
        y: 4
        readonly property real unit: (picker.width - 12) / (picker.withDate ? (picker.withTime ? 7 : 5) : 2)
        Wheel {
            visible: picker.withDate
            width: visible ? parent.unit * 2 : 0
            name: (picker.node.id || "") + ".month"
            rows: picker.months
            selected: (picker.node.month || 1) - 1
            onChosen: (row) => picker.choose("month", row + 1)
        }
        Wheel {
            visible: picker.withDate
            width: visible ? parent.unit : 0
            name: (picker.node.id || "") + ".day"
            rows: picker.numbers(1, 31)
            selected: (picker.node.day || 1) - 1
            onChosen: (row) => picker.choose("day", row + 1)
        }
        Wheel {
            visible: picker.withDate
            width: visible ? parent.unit * 2 : 0
            name: (picker.node.id || "") + ".year"
            rows: picker.numbers(picker.firstYear, picker.lastYear)
            selected: (picker.node.year || picker.firstYear) - picker.firstYear
            onChosen: (row) => picker.choose("year", picker.firstYear + row)
        }
        Wheel {
            visible: picker.withTime
            width: visible ? parent.unit : 0
            name: (picker.node.id || "") + ".hour"
            rows: picker.numbers(0, 23).map(picker.twoDigits)
            selected: picker.node.hour || 0
            enabled: picker.withDate
            onChosen: (row) => picker.choose("hour", row)
        }
        Wheel {
            visible: picker.withTime
            width: visible ? parent.unit : 0
            name: (picker.node.id || "") + ".minute"
            rows: picker.numbers(0, 59).map(picker.twoDigits)
            selected: picker.node.minute || 0
            enabled: picker.withDate
            onChosen: (row) => picker.choose("minute", row)
        }
    }
}

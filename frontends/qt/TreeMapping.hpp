// TreeMapping: how the window reads the screen tree. A JSON node of the tree becomes the
// QVariantMap that the QML component of its kind draws: the node's own values, plus what the
// component needs worked out (picture addresses, pin positions on the map, a date picker's
// wheels, a web page's text). The top screen's elements become one flat list of items, tables
// opened up into their section titles, headers, rows and footers, so that one scrolling list
// draws a whole screen and only makes the rows in sight.
//
// Pure functions of their arguments; any thread.
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "json/Value.hpp"

namespace kelda::qt {

struct MappingContext {
  // Picture addresses of the frame's downloaded pictures, by their number.
  std::vector<QString> images;
  // The styled text of a loaded web page by address, if the window has it.
  std::function<std::optional<std::string>(const std::string& url)> page;
};

// A JSON value as plain QML values (objects as maps, arrays as lists, numbers as doubles).
QVariant plainVariant(const json::Value& value);

// One node of any kind, children included, as its QML component reads it.
QVariantMap mapNode(const json::Value& node, const MappingContext& context);
QVariantList mapNodes(const json::Value& nodes, const MappingContext& context);

// The tab bar's items, each with the "source" of its picture.
QVariantList mapTabs(const json::Value& tabs);
// The navigation bar, with "titleSource" and the bar buttons' "source".
QVariantMap mapNavigationBar(const json::Value& bar);

// The elements of a screen as a flat list of nodes: groups give their children; a table gives
// its header's elements, then per section a "sectionTitle" node {text} when it has a title,
// the section header's elements, its rows, a "sectionFooter" node {text} when it has a footer
// title and the footer's elements, then its footer's elements. Busy overlays are left out
// (the window draws the one overlay over everything). Every other node is one item.
std::vector<json::Value> flattenElements(const json::Value& children);

// The picture addresses a node refers to through "data" or "imageData", children included, in
// order: two items with equal nodes and equal addresses draw the same.
std::vector<QString> pictureAddresses(const json::Value& node, const MappingContext& context);

}  // namespace kelda::qt

#include "TreeMapping.hpp"

#include <algorithm>

#include "ImageShelf.hpp"

namespace kelda::qt {
namespace {

QString qstring(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The address of a downloaded picture by its number, or of a shipped picture by its name.
QString pictureSource(const json::Value& data, const json::Value& name,
                      const MappingContext& context) {
  if (data.isNumber()) {
    const long long number = data.intValue();
    if (number >= 0 && static_cast<std::size_t>(number) < context.images.size()) {
      return context.images[static_cast<std::size_t>(number)];
    }
  }
  return ImageShelf::resourceAddress(name.str());
}

// Where each pin stands on the drawn map, as fractions of its width and height from the top
// left; the map spans the region's deltas around its centre.
QVariantList placePins(const json::Value& map) {
  constexpr double kDefaultSpan = 0.05;
  const double latitudeSpan =
      map["latitudeDelta"].doubleValue() > 0 ? map["latitudeDelta"].doubleValue() : kDefaultSpan;
  const double longitudeSpan =
      map["longitudeDelta"].doubleValue() > 0 ? map["longitudeDelta"].doubleValue() : kDefaultSpan;
  QVariantList pins;
  for (json::Value pin : map["pins"].items()) {
    QVariantMap placed = plainVariant(pin).toMap();
    const double x =
        0.5 + (pin["longitude"].doubleValue() - map["longitude"].doubleValue()) / longitudeSpan;
    const double y =
        0.5 - (pin["latitude"].doubleValue() - map["latitude"].doubleValue()) / latitudeSpan;
    placed["x"] = x;
    placed["y"] = y;
    placed["inside"] = x >= 0 && x <= 1 && y >= 0 && y <= 1;
    pins.push_back(placed);
  }
  return pins;
}

int digitsAt(const std::string& text, std::size_t from, std::size_t count) {
  if (text.size() < from + count) return 0;
  int value = 0;
  for (std::size_t i = from; i < from + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return 0;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// A date picker's wheels: "YYYY-MM-DD", "HH:MM" or "YYYY-MM-DD HH:MM" taken apart, and the
// years its year wheel offers (its earliest and latest dates, else a century around it).
void addDateParts(QVariantMap& node, const json::Value& picker) {
  const std::string date = picker["date"].str();
  const bool hasDay = date.size() >= 10;
  const bool hasTime = date.size() == 5 || date.size() == 16;
  node["mode"] = hasDay ? (hasTime ? "dateAndTime" : "date") : "time";
  const int year = hasDay ? digitsAt(date, 0, 4) : 2000;
  node["year"] = year;
  node["month"] = hasDay ? digitsAt(date, 5, 2) : 1;
  node["day"] = hasDay ? digitsAt(date, 8, 2) : 1;
  const std::size_t timeAt = hasDay ? 11 : 0;
  node["hour"] = hasTime ? digitsAt(date, timeAt, 2) : 0;
  node["minute"] = hasTime ? digitsAt(date, timeAt + 3, 2) : 0;
  const std::string minimum = picker["minimum"].str();
  const std::string maximum = picker["maximum"].str();
  node["minimumYear"] = minimum.size() >= 10 ? digitsAt(minimum, 0, 4) : year - 100;
  node["maximumYear"] = maximum.size() >= 10 ? digitsAt(maximum, 0, 4) : year + 50;
}

void addSectionItem(std::vector<json::Value>& out, const char* kind, const json::Value& text) {
  if (!text.str().empty()) out.push_back(json::Value::object({{"kind", kind}, {"text", text}}));
}

void flattenInto(const json::Value& children, std::vector<json::Value>& out);

void flattenTable(const json::Value& table, std::vector<json::Value>& out) {
  flattenInto(table["header"], out);
  for (json::Value section : table["sections"].items()) {
    addSectionItem(out, "sectionTitle", section["title"]);
    flattenInto(section["header"], out);
    for (json::Value row : section["rows"].items()) out.push_back(row);
    addSectionItem(out, "sectionFooter", section["footerTitle"]);
    flattenInto(section["footer"], out);
  }
  flattenInto(table["footer"], out);
}

void flattenInto(const json::Value& children, std::vector<json::Value>& out) {
  for (json::Value node : children.items()) {
    const std::string_view kind = node["kind"].text();
    if (kind == "group") {
      flattenInto(node["children"], out);
    } else if (kind == "table") {
      flattenTable(node, out);
    } else if (kind != "overlay") {
      out.push_back(node);
    }
  }
}

void collectAddresses(const json::Value& value, const MappingContext& context,
                      std::vector<QString>& out) {
  if (value.isObject()) {
    for (const char* key : {"data", "imageData"}) {
      if (value[key].isNumber()) out.push_back(pictureSource(value[key], {}, context));
    }
    for (auto [key, member] : value.members()) {
      if (member.isObject() || member.isArray()) collectAddresses(member, context, out);
    }
  } else if (value.isArray()) {
    for (json::Value item : value.items()) collectAddresses(item, context, out);
  }
}

}  // namespace

QVariant plainVariant(const json::Value& value) {
  if (value.isObject()) {
    QVariantMap map;
    for (auto [key, member] : value.members()) map.insert(qstring(key), plainVariant(member));
    return map;
  }
  if (value.isArray()) {
    QVariantList list;
    list.reserve(static_cast<qsizetype>(value.size()));
    for (json::Value item : value.items()) list.push_back(plainVariant(item));
    return list;
  }
  if (value.isNumber()) return value.doubleValue();
  if (value.isBool()) return value.boolValue();
  if (value.isString()) return qstring(value.text());
  return {};
}

QVariantMap mapNode(const json::Value& node, const MappingContext& context) {
  QVariantMap mapped;
  for (auto [key, member] : node.members()) {
    if (key == "children" || key == "sections" || key == "header" || key == "footer") continue;
    mapped.insert(qstring(key), plainVariant(member));
  }
  if (node["children"].isArray()) mapped["children"] = mapNodes(node["children"], context);
  const std::string_view kind = node["kind"].text();
  if (kind == "image" || kind == "button") {
    mapped["source"] = pictureSource(node["data"], node["image"], context);
  } else if (kind == "row") {
    mapped["imageSource"] = pictureSource(node["imageData"], node["image"], context);
  } else if (kind == "map") {
    mapped["pins"] = placePins(node);
  } else if (kind == "datePicker") {
    addDateParts(mapped, node);
  } else if (kind == "web") {
    std::optional<std::string> page;
    if (context.page && !node["loading"].boolValue()) page = context.page(node["url"].str());
    mapped["page"] = page ? qstring(*page) : QString();
  } else if (kind == "table") {
    QVariantList items;
    for (const json::Value& item : flattenElements(json::Value::array({node}))) {
      items.push_back(mapNode(item, context));
    }
    mapped["items"] = items;
  }
  return mapped;
}

QVariantList mapNodes(const json::Value& nodes, const MappingContext& context) {
  QVariantList list;
  for (json::Value node : nodes.items()) list.push_back(mapNode(node, context));
  return list;
}

QVariantList mapTabs(const json::Value& tabs) {
  QVariantList list;
  for (json::Value tab : tabs.items()) {
    QVariantMap item = plainVariant(tab).toMap();
    item["source"] = ImageShelf::resourceAddress(tab["image"].str());
    list.push_back(item);
  }
  return list;
}

QVariantMap mapNavigationBar(const json::Value& bar) {
  if (!bar.isObject()) return {};
  QVariantMap mapped = plainVariant(bar).toMap();
  mapped["titleSource"] = ImageShelf::resourceAddress(bar["titleImage"].str());
  for (const char* side : {"left", "right"}) {
    if (!bar[side].isObject()) continue;
    QVariantMap button = mapped[side].toMap();
    button["source"] = ImageShelf::resourceAddress(bar[side]["image"].str());
    mapped[side] = button;
  }
  return mapped;
}

std::vector<json::Value> flattenElements(const json::Value& children) {
  std::vector<json::Value> out;
  flattenInto(children, out);
  return out;
}

std::vector<QString> pictureAddresses(const json::Value& node, const MappingContext& context) {
  std::vector<QString> out;
  collectAddresses(node, context, out);
  return out;
}

}  // namespace kelda::qt

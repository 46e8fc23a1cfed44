#include "bag/ViewBagData.hpp"

#include "json/SBJson.hpp"
#include "platform/Context.hpp"

namespace kelda::bag {

namespace {
std::optional<std::string> compactJSON(const json::Value& array) {
  if (!array.isArray()) return std::nullopt;
  json::SBJsonWriter writer;  // a writer per call: writers are not shared between threads
  return writer.stringWithObject(array);
}
}  // namespace

ViewBagData& ViewBagData::sharedViewBagDataObject() {
  return platform::shared<ViewBagData>();
}

std::optional<std::string> ViewBagData::itemBOAttrJSON() const {
  return compactJSON(itemBOAttributeArray());
}

std::optional<std::string> ViewBagData::shopAction5TagAttrJSON() const {
  return compactJSON(shopActionTagAttrArray());
}

}  // namespace kelda::bag

#include "product/ChoiceLists.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "gateway/TarnObjects.hpp"

namespace kelda::product {

void storeAttributeLists(const json::Value& answer) {
  auto& state = gateway::TarnObjects::sharedInstance();
  state.setSizeArray({});
  state.setColorArray({});
  state.setTypeArray({});
  state.setProdAtrributeArray({});
  json::Value keys = answer["prodAttrKey"];
  if (keys.isArray() && !keys.empty()) state.setProdAtrributeArray(keys);
  for (json::Value attribute : answer["prod_attributes"].items()) {
    const std::string name = attribute["prodAttrName"].str();
    json::Value values = attribute["prodAttrValue"];
    if (name == "SIZE") state.setSizeArray(values);
    if (name == "COLOR") state.setColorArray(values);
    if (name == "TYPE") state.setTypeArray(values);
  }
}

void storeQuantityChoices(const json::Value& answer) {
  const long long count =
      std::clamp(answer["data"][0]["maxQuantity"].intValue(), 0LL, kMaxQuantityChoices);
  std::vector<json::Value> texts;
  texts.reserve(static_cast<std::size_t>(count));
  for (long long q = 1; q <= count; ++q) texts.emplace_back(std::to_string(q));
  gateway::TarnObjects::sharedInstance().setQtyArray(json::Value::array(std::move(texts)));
}

}  // namespace kelda::product

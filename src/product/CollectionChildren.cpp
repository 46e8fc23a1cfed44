#include "product/CollectionChildren.hpp"

namespace kelda::product {

std::vector<std::string> collectionTabNames(const json::Value& answer) {
  std::vector<std::string> names;
  for (json::Value name : answer["pdpTabName"].items()) {
    if (name.isString()) names.push_back(name.str());
  }
  return names;
}

std::vector<json::Value> collectionChildren(const json::Value& answer, CollectionKind kind,
                                            const std::string& tab) {
  const json::Value listed =
      kind == CollectionKind::Plain ? answer["childProducts"] : answer["childProducts"][tab];
  std::vector<json::Value> children;
  for (json::Value child : listed.items()) {
    if (child.isObject()) children.push_back(child);
  }
  return children;
}

}  // namespace kelda::product

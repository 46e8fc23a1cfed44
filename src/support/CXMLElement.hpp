// CXMLElement: the wrapper of an element node, with its attributes and child elements.
// Made and owned by its document (see CXMLNode).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/CXMLNode.hpp"

namespace kelda::support {

class CXMLElement : public CXMLNode {
 public:
  using CXMLNode::CXMLNode;

  // The value of the attribute of that qualified name; absent when the element has none.
  std::optional<std::string> attributeForName(std::string_view name) const;
  // The child elements of that qualified name, in order.
  std::vector<CXMLElement*> elementsForName(std::string_view name) const;
};

}  // namespace kelda::support

#include "support/CXMLElement.hpp"

#include <libxml/tree.h>

namespace kelda::support {
namespace {

std::string qualifiedName(const xmlChar* name, const xmlNs* ns) {
  std::string local = name == nullptr ? std::string() : reinterpret_cast<const char*>(name);
  if (ns != nullptr && ns->prefix != nullptr) {
    return std::string(reinterpret_cast<const char*>(ns->prefix)) + ":" + local;
  }
  return local;
}

}  // namespace

std::optional<std::string> CXMLElement::attributeForName(std::string_view name) const {
  for (xmlAttr* attribute = node_->properties; attribute != nullptr; attribute = attribute->next) {
    if (qualifiedName(attribute->name, attribute->ns) != name) continue;
    // Attribute values never hold entity references once parsed without substitution other
    // than the predefined ones, which the parser has already turned into text.
    return wrapperFor(reinterpret_cast<xmlNode*>(attribute))->stringValue().value_or("");
  }
  return std::nullopt;
}

std::vector<CXMLElement*> CXMLElement::elementsForName(std::string_view name) const {
  std::vector<CXMLElement*> out;
  for (xmlNode* child = node_->children; child != nullptr; child = child->next) {
    if (child->type != XML_ELEMENT_NODE || qualifiedName(child->name, child->ns) != name) continue;
    out.push_back(static_cast<CXMLElement*>(wrapperFor(child)));
  }
  return out;
}

}  // namespace kelda::support

// Parses arbitrary bytes as an XML document. A refused input must leave the wrapper's error;
// an accepted one must give a root element, answer the geocoder's XPath queries and a few
// others with wrappers that stay the same objects when asked again, and read as text, names
// and child lists without crashing. Entities are never expanded and nothing is fetched.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "stores/AddressGeocoder.hpp"
#include "support/CXMLDocument.hpp"
#include "support/CXMLElement.hpp"

namespace {

using kelda::support::CXMLDocument;
using kelda::support::CXMLError;
using kelda::support::CXMLNode;
using kelda::support::CXMLNodeKind;

void require(bool condition) {
  if (!condition) __builtin_trap();
}

const kelda::support::CXMLNamespaceMappings kMappings{
    {"kml", kelda::stores::AddressGeocoder::kKmlNamespace}};

constexpr const char* kQueries[] = {
    "//kml:Status/kml:code",
    "//kml:coordinates",
    "//*",
    "//text()",
    "//@*",
    "//namespace::*",
    "/..",
    "//comment()|//processing-instruction()",
    "count(//*)",
    "//*[",
};

void readNode(CXMLNode& node) {
  (void)node.kind();
  (void)node.name();
  (void)node.localName();
  (void)node.stringValue();
  if (node.kind() == CXMLNodeKind::Element) {
    auto& element = static_cast<kelda::support::CXMLElement&>(node);
    (void)element.attributeForName("id");
    (void)element.elementsForName("code");
  }
  require(node.childAtIndex(node.childCount()) == nullptr);
  require(node.rootDocument() != nullptr);
}

// Every node of the tree, breadth first, up to a bound that keeps each run short.
void walk(CXMLNode& root) {
  std::vector<CXMLNode*> queue{&root};
  for (std::size_t i = 0; i < queue.size() && i < 20000; ++i) {
    readNode(*queue[i]);
    const auto children = queue[i]->children();
    require(children.size() == queue[i]->childCount());
    for (CXMLNode* child : children) {
      require(child->parent() == queue[i]);
      queue.push_back(child);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CXMLError error;
  auto document = CXMLDocument::withData(bytes, CXMLDocument::kDefaultOptions, &error);
  if (!document) {
    require(error.domain == kelda::support::kCXMLErrorDomain && error.code == 1 &&
            !error.description.empty());
    return 0;
  }
  CXMLNode* root = document->rootElement();
  require(root != nullptr && root->kind() == CXMLNodeKind::Element);
  for (const char* query : kQueries) {
    const auto first = root->nodesForXPath(query, kMappings);
    const auto again = root->nodesForXPath(query, kMappings);
    require(first == again);
    for (std::size_t i = 0; i < first.size() && i < 200; ++i) readNode(*first[i]);
  }
  walk(*document);
  (void)kelda::stores::AddressGeocoder::coordinateOfDocument(*document);
  return 0;
}

// CXMLNode: the object form of one node of a libxml2 tree (the base of CXMLElement and
// CXMLDocument), for the few readers that get XML from outside: the address geocoder reads
// its KML answer with XPath queries.
//
// Wrappers are made by their document and live as long as it does: there is one wrapper per
// libxml2 node (kept in the node's private pointer), so asking twice for a node gives the same
// object. Callers hold plain pointers and must not keep them past the document. A document and
// its nodes are used by one thread at a time.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct _xmlNode;

namespace kelda::support {

class CXMLDocument;

inline constexpr std::string_view kCXMLErrorDomain = "CXMLErrorDomain";

// What a failed parse, load or query reports through an error slot.
struct CXMLError {
  std::string domain{kCXMLErrorDomain};
  int code = 1;
  std::string description;
};

// Prefix -> namespace URI pairs for XPath queries, e.g. {{"kml",
// "http://earth.google.com/kml/2.0"}}.
using CXMLNamespaceMappings = std::vector<std::pair<std::string, std::string>>;

enum class CXMLNodeKind {
  Element,
  Attribute,
  Text,
  CData,
  EntityReference,
  ProcessingInstruction,
  Comment,
  Document,
  DocumentType,
  Other,
};

class CXMLNode {
 public:
  // Wrappers are made only by their document's tree: this key cannot be made elsewhere.
  class Key {
    Key() = default;
    friend class CXMLNode;
    friend class CXMLDocument;
  };
  CXMLNode(Key, _xmlNode* node) : node_(node) {}
  virtual ~CXMLNode();
  CXMLNode(const CXMLNode&) = delete;
  CXMLNode& operator=(const CXMLNode&) = delete;

  CXMLNodeKind kind() const;
  // The node's qualified name ("kml:code" keeps its prefix); empty for nodes without one.
  std::string name() const;
  std::string localName() const;

  // For a text-like node (text, CDATA, comment, processing instruction) its content; for any
  // other node the text and CDATA of its own child list joined in order. Entity references are
  // never expanded: a reference to a declared entity reads as "&name;". Absent when there is
  // no text at all.
  std::optional<std::string> stringValue() const;

  CXMLNode* parent() const;
  std::size_t childCount() const;
  // Null when the index is out of range.
  CXMLNode* childAtIndex(std::size_t index) const;
  std::vector<CXMLNode*> children() const;
  CXMLDocument* rootDocument() const;

  // Evaluates `xpath` with this node as the context node and each prefix of `mappings` bound
  // to its URI. The nodes found, in document order (namespace nodes are left out); empty for
  // a result that is no node set, an empty one, or an expression that does not evaluate (the
  // error slot, when given, then says why).
  std::vector<CXMLNode*> nodesForXPath(std::string_view xpath,
                                       const CXMLNamespaceMappings& mappings,
                                       CXMLError* error = nullptr) const;
  std::vector<CXMLNode*> nodesForXPath(std::string_view xpath, CXMLError* error = nullptr) const {
    return nodesForXPath(xpath, {}, error);
  }

 protected:
  // The wrapper of a node of this tree, made (and kept by its document) on first use.
  static CXMLNode* wrapperFor(_xmlNode* node);

  _xmlNode* node_;
};

}  // namespace kelda::support

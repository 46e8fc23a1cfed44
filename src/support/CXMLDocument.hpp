// CXMLDocument: an XML document parsed from outside bytes with libxml2, owning the tree and
// the wrappers of its nodes.
//
// Parsing is in recovery mode and quiet (no warnings or errors are printed). Untrusted input
// is safe: entities are never expanded into the tree, no external entity or DTD is ever
// loaded, and nothing is fetched from the network. Parse or load failures give no document and,
// when the caller passes an error slot, an error of the domain "CXMLErrorDomain" with code 1.
// A document is used by one thread at a time; distinct documents may be used on any threads.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "support/CXMLNode.hpp"

struct _xmlDoc;

namespace kelda::support {

class CXMLElement;

class CXMLDocument : public CXMLNode {
 public:
  // Parser option bits of libxml2 that the default adds up to: recovery (1) and no warnings
  // (64). Options that would expand or load entities or reach the network are never applied.
  static constexpr int kDefaultOptions = 65;
  // The largest answer withContentsOfURL reads.
  static constexpr std::size_t kMaxDownloadBytes = 1024 * 1024;

  // Made by withData (the key cannot be made elsewhere).
  CXMLDocument(Key key, _xmlDoc* document);
  ~CXMLDocument() override;

  // The document of the bytes; nothing for empty data or data that does not parse.
  static std::unique_ptr<CXMLDocument> withData(std::string_view data,
                                                int options = kDefaultOptions,
                                                CXMLError* error = nullptr);
  // Reads the whole resource at the http(s) address (not cached; at most kMaxDownloadBytes, a
  // failure status or silence past `timeout` counts as no data) and parses it as withData.
  static std::unique_ptr<CXMLDocument> withContentsOfURL(
      const std::string& url, int options = kDefaultOptions, CXMLError* error = nullptr,
      std::chrono::milliseconds timeout = std::chrono::milliseconds(60000));

  // The root element; null when the tree has none.
  CXMLElement* rootElement() const;

 private:
  friend class CXMLNode;
  // Keeps a wrapper of one of this tree's nodes for the document's lifetime.
  CXMLNode* adopt(std::unique_ptr<CXMLNode> wrapper);

  struct FreeDocument {
    void operator()(_xmlDoc* document) const;
  };
  std::unique_ptr<_xmlDoc, FreeDocument> document_;
  // Declared after the tree: the wrappers go first.
  std::vector<std::unique_ptr<CXMLNode>> pool_;
};

}  // namespace kelda::support

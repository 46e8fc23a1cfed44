#include "support/CXMLNode.hpp"

#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <memory>

#include "support/CXMLDocument.hpp"
#include "support/CXMLElement.hpp"

namespace kelda::support {
namespace {

std::string text(const xmlChar* chars) {
  return chars == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(chars));
}

// Nodes whose child list is part of the document's content. An entity reference's children
// are the entity's own content and are never walked (that would expand it).
bool hasContentChildren(const xmlNode* node) {
  switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_DOCUMENT_NODE:
    case XML_DOCUMENT_FRAG_NODE:
      return true;
    default:
      return false;
  }
}

bool isTextLike(const xmlNode* node) {
  return node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE ||
         node->type == XML_COMMENT_NODE || node->type == XML_PI_NODE;
}

std::string entityReference(const xmlNode* node) {
  return "&" + text(node->name) + ";";
}

// XPath errors are reported through the caller's error slot, never printed.
void ignoreStructuredError(void* /*userData*/, xmlErrorPtr /*error*/) {}

struct FreeXPathContext {
  void operator()(xmlXPathContext* context) const { xmlXPathFreeContext(context); }
};
struct FreeXPathObject {
  void operator()(xmlXPathObject* object) const { xmlXPathFreeObject(object); }
};

void fail(CXMLError* error, std::string description) {
  if (error != nullptr)
    *error = CXMLError{std::string(kCXMLErrorDomain), 1, std::move(description)};
}

}  // namespace

CXMLNode::~CXMLNode() = default;

CXMLNode* CXMLNode::wrapperFor(xmlNode* node) {
  if (node == nullptr) return nullptr;
  if (node->_private != nullptr) return static_cast<CXMLNode*>(node->_private);
  auto* document = node->doc == nullptr ? nullptr : static_cast<CXMLDocument*>(node->doc->_private);
  if (document == nullptr) return nullptr;  // not a node of a wrapped document
  std::unique_ptr<CXMLNode> wrapper;
  if (node->type == XML_ELEMENT_NODE) {
    wrapper = std::make_unique<CXMLElement>(Key(), node);
  } else {
    wrapper = std::make_unique<CXMLNode>(Key(), node);
  }
  node->_private = wrapper.get();
  return document->adopt(std::move(wrapper));
}

CXMLNodeKind CXMLNode::kind() const {
  switch (node_->type) {
    case XML_ELEMENT_NODE:
      return CXMLNodeKind::Element;
    case XML_ATTRIBUTE_NODE:
      return CXMLNodeKind::Attribute;
    case XML_TEXT_NODE:
      return CXMLNodeKind::Text;
    case XML_CDATA_SECTION_NODE:
      return CXMLNodeKind::CData;
    case XML_ENTITY_REF_NODE:
      return CXMLNodeKind::EntityReference;
    case XML_PI_NODE:
      return CXMLNodeKind::ProcessingInstruction;
    case XML_COMMENT_NODE:
      return CXMLNodeKind::Comment;
    case XML_DOCUMENT_NODE:
      return CXMLNodeKind::Document;
    case XML_DOCUMENT_TYPE_NODE:
    case XML_DTD_NODE:
      return CXMLNodeKind::DocumentType;
    default:
      return CXMLNodeKind::Other;
  }
}

std::string CXMLNode::localName() const {
  switch (node_->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_PI_NODE:
    case XML_ENTITY_REF_NODE:
    case XML_DTD_NODE:
      return text(node_->name);
    default:
      return {};
  }
}

std::string CXMLNode::name() const {
  std::string local = localName();
  const bool namespaced = node_->type == XML_ELEMENT_NODE || node_->type == XML_ATTRIBUTE_NODE;
  if (namespaced && node_->ns != nullptr && node_->ns->prefix != nullptr) {
    return text(node_->ns->prefix) + ":" + local;
  }
  return local;
}

std::optional<std::string> CXMLNode::stringValue() const {
  if (isTextLike(node_)) {
    if (node_->content == nullptr) return std::nullopt;
    return text(node_->content);
  }
  if (node_->type == XML_ENTITY_REF_NODE) return entityReference(node_);
  if (!hasContentChildren(node_)) return std::nullopt;
  std::optional<std::string> value;
  for (const xmlNode* child = node_->children; child != nullptr; child = child->next) {
    if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
      value = value.value_or("") + text(child->content);
    } else if (child->type == XML_ENTITY_REF_NODE) {
      value = value.value_or("") + entityReference(child);
    }
  }
  return value;
}

CXMLNode* CXMLNode::parent() const {
  return wrapperFor(node_->parent);
}

std::size_t CXMLNode::childCount() const {
  if (!hasContentChildren(node_)) return 0;
  std::size_t count = 0;
  for (const xmlNode* child = node_->children; child != nullptr; child = child->next) ++count;
  return count;
}

CXMLNode* CXMLNode::childAtIndex(std::size_t index) const {
  if (!hasContentChildren(node_)) return nullptr;
  xmlNode* child = node_->children;
  for (; child != nullptr && index > 0; child = child->next) --index;
  return wrapperFor(child);
}

std::vector<CXMLNode*> CXMLNode::children() const {
  std::vector<CXMLNode*> out;
  if (!hasContentChildren(node_)) return out;
  for (xmlNode* child = node_->children; child != nullptr; child = child->next) {
    if (CXMLNode* wrapper = wrapperFor(child)) out.push_back(wrapper);
  }
  return out;
}

CXMLDocument* CXMLNode::rootDocument() const {
  return node_->doc == nullptr ? nullptr : static_cast<CXMLDocument*>(node_->doc->_private);
}

std::vector<CXMLNode*> CXMLNode::nodesForXPath(std::string_view xpath,
                                               const CXMLNamespaceMappings& mappings,
                                               CXMLError* error) const {
  std::vector<CXMLNode*> out;
  std::unique_ptr<xmlXPathContext, FreeXPathContext> context(xmlXPathNewContext(node_->doc));
  if (!context) {
    fail(error, "The XPath context could not be made.");
    return out;
  }
  context->node = node_;
  context->error = ignoreStructuredError;
  for (const auto& [prefix, uri] : mappings) {
    if (xmlXPathRegisterNs(context.get(), BAD_CAST prefix.c_str(), BAD_CAST uri.c_str()) != 0) {
      fail(error, "The namespace prefix \"" + prefix + "\" could not be registered.");
      return out;
    }
  }
  const std::string expression(xpath);
  std::unique_ptr<xmlXPathObject, FreeXPathObject> result(
      xmlXPathEvalExpression(BAD_CAST expression.c_str(), context.get()));
  if (!result) {
    fail(error, "The XPath expression could not be evaluated.");
    return out;
  }
  if (result->type != XPATH_NODESET || result->nodesetval == nullptr) return out;
  const xmlNodeSet& nodes = *result->nodesetval;
  for (int i = 0; i < nodes.nodeNr; ++i) {
    xmlNode* node = nodes.nodeTab[i];
    // Namespace nodes are copies that die with the result; they get no wrapper.
    if (node == nullptr || node->type == XML_NAMESPACE_DECL) continue;
    if (CXMLNode* wrapper = wrapperFor(node)) out.push_back(wrapper);
  }
  return out;
}

}  // namespace kelda::support

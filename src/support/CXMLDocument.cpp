#include "support/CXMLDocument.hpp"

#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <climits>
#include <mutex>

#include "platform/HttpClient.hpp"
#include "support/CXMLElement.hpp"

namespace kelda::support {
namespace {

// Options that would substitute or load entities, load or validate against a DTD, follow
// XInclude or lift the parser's size limits: never applied to outside input.
constexpr int kRefusedOptions = XML_PARSE_NOENT | XML_PARSE_DTDLOAD | XML_PARSE_DTDATTR |
                                XML_PARSE_DTDVALID | XML_PARSE_XINCLUDE | XML_PARSE_HUGE |
                                XML_PARSE_OLDSAX;
// Always applied: no network access, nothing printed.
constexpr int kForcedOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

struct FreeParserContext {
  void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

void fail(CXMLError* error, std::string description) {
  if (error != nullptr)
    *error = CXMLError{std::string(kCXMLErrorDomain), 1, std::move(description)};
}

void ignoreStructuredError(void* /*context*/, xmlErrorPtr /*error*/) {}

// While it lives, libxml2 reports of this thread (the encoding converters report outside the
// parser's own options) go nowhere instead of to standard error; the previous handler comes
// back afterwards.
class QuietErrors {
 public:
  QuietErrors() : handler_(xmlStructuredError), context_(xmlStructuredErrorContext) {
    xmlSetStructuredErrorFunc(nullptr, ignoreStructuredError);
  }
  ~QuietErrors() { xmlSetStructuredErrorFunc(context_, handler_); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;

 private:
  xmlStructuredErrorFunc handler_;
  void* context_;
};

// libxml2's global set-up must run once before threads parse at the same time.
void initialiseParser() {
  static std::once_flag once;
  std::call_once(once, [] { xmlInitParser(); });
}

}  // namespace

void CXMLDocument::FreeDocument::operator()(_xmlDoc* document) const {
  xmlFreeDoc(document);
}

CXMLDocument::CXMLDocument(Key key, _xmlDoc* document)
    : CXMLNode(key, reinterpret_cast<xmlNode*>(document)), document_(document) {
  document->_private = static_cast<CXMLNode*>(this);
}

CXMLDocument::~CXMLDocument() {
  pool_.clear();
  document_->_private = nullptr;
}

std::unique_ptr<CXMLDocument> CXMLDocument::withData(std::string_view data, int options,
                                                     CXMLError* error) {
  if (data.empty()) {
    fail(error, "There is no data to parse.");
    return nullptr;
  }
  if (data.size() > static_cast<std::size_t>(INT_MAX)) {
    fail(error, "The data is too large to parse.");
    return nullptr;
  }
  initialiseParser();
  std::unique_ptr<xmlParserCtxt, FreeParserContext> context(xmlNewParserCtxt());
  if (!context) {
    fail(error, "The parser could not be made.");
    return nullptr;
  }
  const int safeOptions = (options & ~kRefusedOptions) | kForcedOptions;
  const QuietErrors quiet;
  xmlDoc* parsed = xmlCtxtReadMemory(context.get(), data.data(), static_cast<int>(data.size()),
                                     nullptr, nullptr, safeOptions);
  if (parsed == nullptr) {
    fail(error, "The data could not be parsed as XML.");
    return nullptr;
  }
  auto document = std::make_unique<CXMLDocument>(Key(), parsed);
  if (xmlDocGetRootElement(parsed) == nullptr) {
    fail(error, "The data holds no XML element.");
    return nullptr;
  }
  return document;
}

std::unique_ptr<CXMLDocument> CXMLDocument::withContentsOfURL(const std::string& url, int options,
                                                              CXMLError* error,
                                                              std::chrono::milliseconds timeout) {
  platform::HttpRequest request;
  request.url = url;
  request.timeout = timeout;
  request.maxBodyBytes = kMaxDownloadBytes;
  const platform::HttpResponse response = platform::HttpClient::sendOnce(request);
  if (!response.succeeded()) {
    fail(error, response.failed
                    ? "The address could not be read: " + response.error
                    : "The address answered with status " + std::to_string(response.status) + ".");
    return nullptr;
  }
  return withData(response.body, options, error);
}

CXMLElement* CXMLDocument::rootElement() const {
  return static_cast<CXMLElement*>(wrapperFor(xmlDocGetRootElement(document_.get())));
}

CXMLNode* CXMLDocument::adopt(std::unique_ptr<CXMLNode> wrapper) {
  pool_.push_back(std::move(wrapper));
  return pool_.back().get();
}

}  // namespace kelda::support

#include "WebPages.hpp"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <QUrl>
#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <memory>

#include "platform/HttpClient.hpp"

namespace kelda::qt {
namespace {

// Pages larger than this are not drawn: a web view here shows text, not documents.
constexpr std::size_t kMaxPageBytes = 2u * 1024u * 1024u;

bool isOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool isHidden(std::string_view name) {
  return isOneOf(name, {"script", "style", "head", "noscript", "template", "iframe", "object",
                        "svg", "canvas"});
}

bool isBlock(std::string_view name) {
  return isOneOf(name, {"p",   "div",  "li",         "ul",      "ol",      "dl",     "dt",
                        "dd",  "tr",   "table",      "section", "article", "header", "footer",
                        "nav", "form", "blockquote", "pre",     "h1",      "h2",     "h3",
                        "h4",  "h5",   "h6",         "address", "main",    "aside"});
}

bool isHeading(std::string_view name) {
  return name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6';
}

void appendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
}

// The styled text being written: whitespace collapsed as a browser does, one break between
// blocks.
class StyledWriter {
 public:
  explicit StyledWriter(std::string_view baseUrl)
      : base_(QUrl(QString::fromUtf8(baseUrl.data(), static_cast<qsizetype>(baseUrl.size())))) {}

  void text(std::string_view text) {
    for (char c : text) {
      if (std::isspace(static_cast<unsigned char>(c))) {
        pendingSpace_ = true;
        continue;
      }
      if (pendingSpace_ && !atLineStart_) out_ += ' ';
      pendingSpace_ = false;
      atLineStart_ = false;
      appendEscaped(out_, std::string_view(&c, 1));
    }
  }
  void lineBreak() {
    out_ += "<br>";
    atLineStart_ = true;
    pendingSpace_ = false;
  }
  void blockBreak() {
    if (!atLineStart_) lineBreak();
  }
  // An opening tag takes the blank before it, so that the blank is not inside the link.
  void open(std::string_view tag) {
    if (pendingSpace_ && !atLineStart_) out_ += ' ';
    pendingSpace_ = false;
    out_ += tag;
  }
  void close(std::string_view tag) { out_ += tag; }
  // The resolved address of a link that may be followed, or nothing.
  std::optional<std::string> linkTarget(std::string_view href) const {
    if (href.find_first_not_of(" \t\r\n") == std::string_view::npos) return std::nullopt;
    QUrl url = base_.resolved(
        QUrl(QString::fromUtf8(href.data(), static_cast<qsizetype>(href.size())).trimmed()));
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() ||
        !(scheme == "http" || scheme == "https" || scheme == "tel" || scheme == "mailto")) {
      return std::nullopt;
    }
    return url.toString(QUrl::FullyEncoded).toStdString();
  }
  std::string result() && {
    while (out_.size() >= 4 && out_.compare(out_.size() - 4, 4, "<br>") == 0)
      out_.resize(out_.size() - 4);
    return std::move(out_);
  }

 private:
  QUrl base_;
  std::string out_;
  bool atLineStart_ = true;
  bool pendingSpace_ = false;
};

std::string attribute(xmlNode* node, const char* name) {
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
  if (value == nullptr) return {};
  std::string text(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return text;
}

void walk(xmlNode* parent, StyledWriter& out, bool inLink) {
  for (xmlNode* node = parent->children; node != nullptr; node = node->next) {
    if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
      if (node->content != nullptr) out.text(reinterpret_cast<const char*>(node->content));
      continue;
    }
    if (node->type != XML_ELEMENT_NODE || node->name == nullptr) continue;
    std::string name(reinterpret_cast<const char*>(node->name));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (isHidden(name)) continue;
    if (name == "br") {
      out.lineBreak();
      continue;
    }
    std::optional<std::string> link;
    if (name == "a" && !inLink) link = out.linkTarget(attribute(node, "href"));
    const bool block = isBlock(name);
    if (block) out.blockBreak();
    if (isHeading(name)) out.open("<b>");
    if (link) {
      std::string open = "<a href=\"";
      appendEscaped(open, *link);
      out.open(open + "\">");
    }
    walk(node, out, inLink || link.has_value());
    if (link) out.close("</a>");
    if (isHeading(name)) out.close("</b>");
    if (block) out.blockBreak();
  }
}

struct DocumentDeleter {
  void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

}  // namespace

std::string pageToStyledText(std::string_view html, std::string_view baseUrl) {
  if (html.empty() || html.size() > kMaxPageBytes) return {};
  std::unique_ptr<xmlDoc, DocumentDeleter> document(htmlReadMemory(
      html.data(), static_cast<int>(html.size()), nullptr, nullptr,
      HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET));
  if (!document) return {};
  xmlNode* root = xmlDocGetRootElement(document.get());
  if (root == nullptr) return {};
  StyledWriter out(baseUrl);
  xmlNode holder{};
  holder.children = root;
  walk(&holder, out, false);
  return std::move(out).result();
}

ui::PageLoad WebPages::load(const std::string& url) {
  platform::HttpRequest request;
  request.url = url;
  request.timeout = std::chrono::milliseconds(15000);
  request.maxBodyBytes = kMaxPageBytes;
  platform::HttpResponse response = platform::HttpClient::sendOnce(request);
  if (response.failed) return ui::PageLoad{false, response.error};
  if (!response.succeeded()) return ui::PageLoad{false, "HTTP " + std::to_string(response.status)};
  keep(url, response.body);
  return ui::PageLoad{true, std::move(response.body)};
}

void WebPages::keep(const std::string& url, std::string_view html) {
  std::string styled = pageToStyledText(html, url);
  std::lock_guard lock(mutex_);
  pages_[url] = std::move(styled);
}

std::optional<std::string> WebPages::styledText(const std::string& url) const {
  std::lock_guard lock(mutex_);
  auto it = pages_.find(url);
  if (it == pages_.end()) return std::nullopt;
  return it->second;
}

}  // namespace kelda::qt

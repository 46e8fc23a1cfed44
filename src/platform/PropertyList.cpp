#include "platform/PropertyList.hpp"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <plist/plist.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/TextFile.hpp"

namespace kelda::platform {
namespace {

// Files larger than this are not property lists of this client.
constexpr std::size_t kLargestFile = 16 * 1024 * 1024;
// Seconds from the Unix epoch to 2001-01-01, the epoch of property-list dates.
constexpr std::int64_t kPropertyListEpoch = 978307200;

struct PlistFree {
  void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

struct CFree {
  void operator()(void* p) const { std::free(p); }
};
template <class T>
using CPtr = std::unique_ptr<T, CFree>;

struct XmlDocFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

// --- Reading -------------------------------------------------------------------------------

// True when `xml` is a well-formed document whose root element is <plist>, with no internal
// DTD subset (no entity declarations to expand). The strict parser also bounds nesting depth,
// which keeps the recursive conversion below shallow.
bool isWellFormedPropertyList(std::string_view xml) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { xmlInitParser(); });
  if (xml.empty() || xml.size() > kLargestFile) return false;
  std::unique_ptr<xmlDoc, XmlDocFree> doc(
      xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!doc) return false;
  if (doc->intSubset != nullptr && doc->intSubset->children != nullptr) return false;
  const xmlNode* root = xmlDocGetRootElement(doc.get());
  return root != nullptr && xmlStrcmp(root->name, BAD_CAST "plist") == 0;
}

std::string base64(std::string_view bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    std::uint32_t chunk = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) chunk |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) chunk |= static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[(chunk >> 18) & 63];
    out += kAlphabet[(chunk >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(chunk >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kAlphabet[chunk & 63] : '=';
  }
  return out;
}

std::string isoDate(plist_t node) {
  std::int32_t seconds = 0, micros = 0;
  plist_get_date_val(node, &seconds, &micros);
  std::time_t unix = static_cast<std::time_t>(kPropertyListEpoch + seconds);
  std::tm parts{};
  if (::gmtime_r(&unix, &parts) == nullptr) return {};
  char text[32];
  std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
  return std::string(text, length);
}

json::Value realValue(double real) {
  if (!std::isfinite(real))
    return json::Value(std::isnan(real) ? "nan" : real > 0 ? "inf" : "-inf");
  char text[64];
  auto [end, error] = std::to_chars(text, text + sizeof text, real);
  if (error != std::errc()) return json::Value(real);
  return json::Value::numberFromText(std::string(text, end));
}

json::Value toValue(plist_t node);

json::Value dictValue(plist_t node) {
  std::vector<json::Member> members;
  plist_dict_iter raw = nullptr;
  plist_dict_new_iter(node, &raw);
  CPtr<void> iter(raw);
  for (;;) {
    char* rawKey = nullptr;
    plist_t item = nullptr;
    plist_dict_next_item(node, raw, &rawKey, &item);
    CPtr<char> key(rawKey);
    if (item == nullptr) break;
    json::Value value = toValue(item);
    if (key && !value.isAbsent()) members.emplace_back(key.get(), std::move(value));
  }
  return json::Value::object(std::move(members));
}

json::Value arrayValue(plist_t node) {
  std::vector<json::Value> items;
  const std::uint32_t count = plist_array_get_size(node);
  for (std::uint32_t i = 0; i < count; ++i) {
    json::Value value = toValue(plist_array_get_item(node, i));
    if (!value.isAbsent()) items.push_back(std::move(value));
  }
  return json::Value::array(std::move(items));
}

json::Value toValue(plist_t node) {
  if (node == nullptr) return {};
  switch (plist_get_node_type(node)) {
    case PLIST_DICT:
      return dictValue(node);
    case PLIST_ARRAY:
      return arrayValue(node);
    case PLIST_STRING: {
      char* raw = nullptr;
      plist_get_string_val(node, &raw);
      CPtr<char> text(raw);
      return json::Value(std::string(text ? text.get() : ""));
    }
    case PLIST_BOOLEAN: {
      std::uint8_t flag = 0;
      plist_get_bool_val(node, &flag);
      return json::Value(flag != 0);
    }
    case PLIST_UINT: {
      std::uint64_t bits = 0;
      plist_get_uint_val(node, &bits);
      // Integers are stored as 64-bit patterns; negative ones read back as two's complement.
      return json::Value::numberFromText(std::to_string(static_cast<std::int64_t>(bits)));
    }
    case PLIST_REAL: {
      double real = 0;
      plist_get_real_val(node, &real);
      return realValue(real);
    }
    case PLIST_DATE:
      return json::Value(isoDate(node));
    case PLIST_DATA: {
      char* raw = nullptr;
      std::uint64_t length = 0;
      plist_get_data_val(node, &raw, &length);
      CPtr<char> bytes(raw);
      return json::Value(base64(bytes ? std::string_view(bytes.get(), length) : ""));
    }
    default:
      return {};
  }
}

// --- Writing -------------------------------------------------------------------------------

// True when `text` is valid UTF-8 made only of characters XML 1.0 can hold.
bool isXmlText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    std::uint32_t code = 0;
    std::size_t length = 0;
    if (lead < 0x80) {
      code = lead, length = 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      code = lead & 0x1F, length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      code = lead & 0x0F, length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      code = lead & 0x07, length = 4;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    const bool control = code < 0x20 && code != '\t' && code != '\n' && code != '\r';
    if (overlong || surrogate || control || code == 0xFFFE || code == 0xFFFF || code > 0x10FFFF) {
      return false;
    }
    i += length;
  }
  return true;
}

bool isIntegerText(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

PlistPtr numberNode(const json::Value& value) {
  const std::string_view text = value.text();
  if (isIntegerText(text)) {
    std::int64_t integer = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), integer);
    if (error == std::errc() && end == text.data() + text.size()) {
      return PlistPtr(plist_new_uint(static_cast<std::uint64_t>(integer)));
    }
  }
  double real = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), real);
  if (error != std::errc() || end != text.data() + text.size()) real = value.doubleValue();
  if (!std::isfinite(real)) return nullptr;
  return PlistPtr(plist_new_real(real));
}

PlistPtr toNode(const json::Value& value) {
  switch (value.type()) {
    case json::Type::Boolean:
      return PlistPtr(plist_new_bool(value.boolValue() ? 1 : 0));
    case json::Type::Number:
      return numberNode(value);
    case json::Type::String: {
      const std::string text = value.str();
      if (!isXmlText(text)) return nullptr;
      return PlistPtr(plist_new_string(text.c_str()));
    }
    case json::Type::Array: {
      PlistPtr array(plist_new_array());
      for (json::Value item : value.items()) {
        PlistPtr node = toNode(item);
        if (!node) return nullptr;
        plist_array_append_item(array.get(), node.release());
      }
      return array;
    }
    case json::Type::Object: {
      PlistPtr dict(plist_new_dict());
      for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string key(value.keyAt(i));
        PlistPtr node = toNode(value.valueAt(i));
        if (!node || !isXmlText(key)) return nullptr;
        plist_dict_set_item(dict.get(), key.c_str(), node.release());
      }
      return dict;
    }
    default:  // null and absent have no property-list form
      return nullptr;
  }
}

}  // namespace

json::Value propertyListFromXml(std::string_view xml) {
  if (!isWellFormedPropertyList(xml)) return {};
  plist_t raw = nullptr;
  plist_from_xml(xml.data(), static_cast<std::uint32_t>(xml.size()), &raw);
  PlistPtr root(raw);
  return toValue(root.get());
}

std::optional<std::string> propertyListToXml(const json::Value& value) {
  PlistPtr root = toNode(value);
  if (!root) return std::nullopt;
  char* raw = nullptr;
  std::uint32_t length = 0;
  plist_to_xml(root.get(), &raw, &length);
  if (raw == nullptr) return std::nullopt;
  std::string xml(raw, length);
  plist_to_xml_free(raw);
  return xml;
}

json::Value readPropertyList(const std::filesystem::path& path) {
  std::optional<std::string> text = readTextFile(path);
  if (!text) return {};
  return propertyListFromXml(*text);
}

bool writePropertyList(const std::filesystem::path& path, const json::Value& value, mode_t mode) {
  std::optional<std::string> xml = propertyListToXml(value);
  return xml && writeTextFileAtomically(path, *xml, mode);
}

}  // namespace kelda::platform

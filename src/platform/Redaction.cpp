// The log's redaction: secrets are masked before any line is written.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/Log.hpp"

namespace kelda::log {
namespace {

constexpr std::string_view kMask = "********";

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isNameChar(char c) {
  return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
char lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Names whose values are secrets: every "...password" (loginPassword, verifyPassword,
// emailPassword...), cardNumber and securityCode.
bool isSecretName(std::string_view name) {
  constexpr std::string_view kPassword = "password";
  if (name.size() >= kPassword.size() &&
      equalsIgnoringCase(name.substr(name.size() - kPassword.size()), kPassword)) {
    return true;
  }
  return equalsIgnoringCase(name, "cardNumber") || equalsIgnoringCase(name, "securityCode");
}

// Length of the quote at `pos`: 1 for `"`, 2 for `\"` (JSON held inside a JSON string), else 0.
std::size_t quoteAt(std::string_view text, std::size_t pos) {
  if (pos < text.size() && text[pos] == '"') return 1;
  if (pos + 1 < text.size() && text[pos] == '\\' && text[pos + 1] == '"') return 2;
  return 0;
}

std::size_t skipBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  return pos;
}

// End of the quoted text that starts at `pos` (just after its opening quote of length `quote`):
// the position of the closing quote, or the end of the text.
std::size_t quotedEnd(std::string_view text, std::size_t pos, std::size_t quote) {
  if (quote == 2) {
    std::size_t end = text.find("\\\"", pos);
    return end == std::string_view::npos ? text.size() : end;
  }
  while (pos < text.size() && text[pos] != '"') pos += (text[pos] == '\\') ? 2 : 1;
  return std::min(pos, text.size());
}

std::size_t runUntil(std::string_view text, std::size_t pos, std::string_view stops) {
  std::size_t end = text.find_first_of(stops, pos);
  return end == std::string_view::npos ? text.size() : end;
}

using Span = std::pair<std::size_t, std::size_t>;

// The value of a string or bare scalar starting at `pos`: a quoted value gives its contents.
Span valueAt(std::string_view text, std::size_t pos, std::string_view scalarStops) {
  if (std::size_t quote = quoteAt(text, pos)) {
    return {pos + quote, quotedEnd(text, pos + quote, quote)};
  }
  return {pos, runUntil(text, pos, scalarStops)};
}

// The span of the value that follows the secret name at [start, end), if the name is used as a
// key: form field "name=value", JSON member "name": value, or description "name = value;".
std::optional<Span> secretValue(std::string_view text, std::size_t start, std::size_t end) {
  const bool quotedKey = (start >= 1 && text[start - 1] == '"');
  std::size_t pos = end;
  if (quotedKey) {
    std::size_t quote = quoteAt(text, pos);
    if (quote == 0) return std::nullopt;
    pos += quote;
  }
  const std::size_t afterKey = skipBlanks(text, pos);
  if (afterKey >= text.size()) return std::nullopt;
  if (text[afterKey] == ':' && quotedKey) {
    return valueAt(text, skipBlanks(text, afterKey + 1), ",}] \t\r\n");
  }
  if (text[afterKey] != '=') return std::nullopt;
  const std::size_t valueStart = skipBlanks(text, afterKey + 1);
  const bool formField = !quotedKey && afterKey == pos && valueStart == afterKey + 1;
  if (formField) return Span{valueStart, runUntil(text, valueStart, "&\r\n")};
  return valueAt(text, valueStart, ";\r\n");
}

// Masks the values of secret keys.
std::string maskSecretFields(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (!isNameChar(text[i]) || (i > 0 && isNameChar(text[i - 1]))) {
      out += text[i++];
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && isNameChar(text[end])) ++end;
    std::optional<Span> value;
    if (isSecretName(text.substr(i, end - i))) value = secretValue(text, i, end);
    if (!value) {
      out.append(text.substr(i, end - i));
      i = end;
      continue;
    }
    out.append(text.substr(i, value->first - i));
    if (value->second > value->first) out.append(kMask);
    i = value->second;
  }
  return out;
}

// Masks runs of 12 to 19 digits, unless they belong to a decimal number ("0.1234567890123").
std::string maskCardNumbers(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (!isDigit(text[i])) {
      out += text[i++];
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && isDigit(text[end])) ++end;
    const std::size_t length = end - i;
    const bool fraction = i >= 2 && text[i - 1] == '.' && isDigit(text[i - 2]);
    const bool wholePart = end + 1 < text.size() && text[end] == '.' && isDigit(text[end + 1]);
    if (length >= 12 && length <= 19 && !fraction && !wholePart) {
      out.append(kMask);
    } else {
      out.append(text.substr(i, length));
    }
    i = end;
  }
  return out;
}

}  // namespace

std::string redact(std::string_view text) {
  return maskCardNumbers(maskSecretFields(text));
}

}  // namespace kelda::log

#include "Text.hpp"

#include <charconv>
#include <cmath>

namespace kelda::server {

std::string trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(first, last - first + 1));
}

bool allDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::optional<long long> parseId(std::string_view text) {
  const std::string t = trim(text);
  if (!allDigits(t) || t.size() > 15) return std::nullopt;
  const long long value = std::stoll(t);
  if (value <= 0) return std::nullopt;
  return value;
}

std::optional<long long> parseBounded(std::string_view text, long long lowest, long long highest) {
  const std::string t = trim(text);
  const std::size_t digitsFrom = (!t.empty() && (t[0] == '-' || t[0] == '+')) ? 1 : 0;
  if (!allDigits(std::string_view(t).substr(digitsFrom))) return std::nullopt;
  long long value = 0;
  const char* first = t.data() + (t[0] == '+' ? 1 : 0);
  const auto [end, error] = std::from_chars(first, t.data() + t.size(), value);
  if (error != std::errc() || end != t.data() + t.size()) return std::nullopt;
  if (value < lowest || value > highest) return std::nullopt;
  return value;
}

std::optional<double> parseDecimal(std::string_view text, double magnitude) {
  const std::string t = trim(text);
  std::size_t i = (!t.empty() && (t[0] == '-' || t[0] == '+')) ? 1 : 0;
  const std::size_t start = i;
  std::size_t digits = 0, points = 0;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9')
      ++digits;
    else if (t[i] == '.')
      ++points;
    else
      return std::nullopt;
  }
  if (digits == 0 || points > 1 || t.size() - start > 32) return std::nullopt;
  double value = 0;
  const char* first = t.data() + (t[0] == '+' ? 1 : 0);
  const auto [end, error] =
      std::from_chars(first, t.data() + t.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != t.data() + t.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  if (std::fabs(value) > magnitude) return std::nullopt;
  return value;
}

std::string lowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::vector<std::string> split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const auto end = text.find(separator, start);
    parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return parts;
}

unsigned long long fnv1a(std::string_view text, unsigned long long basis) {
  unsigned long long hash = basis;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ULL;
  }
  return hash;
}

std::string validUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t length = c < 0x80           ? 1
                         : (c >> 5) == 0x6  ? 2
                         : (c >> 4) == 0xE  ? 3
                         : (c >> 3) == 0x1E ? 4
                                            : 0;
    bool ok = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; ok && k < length; ++k) {
      ok = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    }
    if (ok && length > 1) {
      // Reject overlong forms, surrogates and code points above U+10FFFF.
      unsigned cp = c & (0xFF >> (length + 1));
      for (std::size_t k = 1; k < length; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
      static constexpr unsigned kMin[] = {0, 0, 0x80, 0x800, 0x10000};
      ok = cp >= kMin[length] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    }
    if (ok) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

}  // namespace kelda::server

#include "json/NumberText.hpp"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>

namespace kelda::json::number {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Same white-space class as the C library's isspace in the C locale.
bool isSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

std::size_t skipDigits(std::string_view t, std::size_t i) {
  while (i < t.size() && isDigit(t[i])) ++i;
  return i;
}

std::size_t skipSpace(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && isSpace(t[i])) ++i;
  return i;
}

}  // namespace

bool isJsonNumber(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && t[i] == '-') ++i;
  if (i == t.size() || !isDigit(t[i])) return false;
  if (t[i] == '0') {
    ++i;
  } else {
    i = skipDigits(t, i);
  }
  if (i < t.size() && t[i] == '.') {
    std::size_t j = skipDigits(t, i + 1);
    if (j == i + 1) return false;
    i = j;
  }
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t j = skipDigits(t, i);
    if (j == i) return false;
    i = j;
  }
  return i == t.size();
}

long long leadingInteger(std::string_view t) {
  std::size_t i = skipSpace(t);
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  constexpr long long kMax = std::numeric_limits<long long>::max();
  unsigned long long limit = negative ? static_cast<unsigned long long>(kMax) + 1 : kMax;
  unsigned long long value = 0;
  for (; i < t.size() && isDigit(t[i]); ++i) {
    unsigned digit = unsigned(t[i] - '0');
    if (value > (limit - digit) / 10) {
      value = limit;  // saturate, but keep consuming digits
      continue;
    }
    value = value * 10 + digit;
  }
  if (negative) {
    return value == limit ? std::numeric_limits<long long>::min() : -static_cast<long long>(value);
  }
  return static_cast<long long>(value);
}

double leadingDouble(std::string_view t) {
  std::size_t i = skipSpace(t);
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  std::size_t start = i;
  std::size_t intEnd = skipDigits(t, i);
  std::size_t end = intEnd;
  if (end < t.size() && t[end] == '.') end = skipDigits(t, end + 1);
  if (end == start || (end == start + 1 && t[start] == '.')) return negative ? -0.0 : 0.0;
  // Exponent only when it has digits.
  long exponent = 0;
  if (end < t.size() && (t[end] == 'e' || t[end] == 'E')) {
    std::size_t j = end + 1;
    bool expNegative = false;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) expNegative = t[j++] == '-';
    std::size_t k = skipDigits(t, j);
    if (k > j) {
      for (std::size_t d = j; d < k && exponent < 100000; ++d)
        exponent = exponent * 10 + (t[d] - '0');
      if (expNegative) exponent = -exponent;
      end = k;
    }
  }
  std::string_view digits = t.substr(start, end - start);
  double value = 0;
  auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: decide by the position of the first significant digit.
    std::size_t firstSignificant = start;
    while (firstSignificant < intEnd && t[firstSignificant] == '0') ++firstSignificant;
    long magnitude = long(intEnd - firstSignificant) + exponent;
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

bool leadingTruth(std::string_view t) {
  std::size_t i = skipSpace(t);
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  while (i < t.size() && t[i] == '0') ++i;
  if (i == t.size()) return false;
  char c = t[i];
  return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

std::string_view formatDouble(double d, char (&buffer)[32]) {
  if (std::isnan(d)) return "nan";
  if (std::isinf(d)) return d > 0 ? "inf" : "-inf";
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, d);
  (void)ec;
  return {buffer, std::size_t(end - buffer)};
}

}  // namespace kelda::json::number

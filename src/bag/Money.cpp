#include "bag/Money.hpp"

#include <cctype>
#include <cstdlib>

namespace kelda::bag {
namespace {

constexpr long long kLargestCents = 1'000'000'000'000'000LL;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

long long capped(long long cents) {
  if (cents > kLargestCents) return kLargestCents;
  if (cents < -kLargestCents) return -kLargestCents;
  return cents;
}

}  // namespace

long long centsFromText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '$')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long whole = 0;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    whole = capped(whole * 10 + (text[i] - '0'));
  }
  long long fraction = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    int digits = 0;
    for (; i < text.size() && isDigit(text[i]) && digits < 3; ++i, ++digits) {
      fraction = fraction * 10 + (text[i] - '0');
    }
    while (digits < 3) fraction *= 10, ++digits;
    fraction = (fraction + 5) / 10;  // three digits to cents, half up
  }
  const long long cents = capped(multiplyCents(whole, 100) + fraction);
  return negative ? -cents : cents;
}

std::string formatCents(long long cents) {
  const bool negative = cents < 0;
  const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(cents)
                                                : static_cast<unsigned long long>(cents);
  std::string fraction = std::to_string(magnitude % 100);
  if (fraction.size() < 2) fraction.insert(0, 1, '0');
  return (negative ? "-" : "") + std::to_string(magnitude / 100) + "." + fraction;
}

long long multiplyCents(long long cents, long long count) {
  cents = capped(cents);
  count = capped(count);
  if (cents == 0 || count == 0) return 0;
  if (std::llabs(cents) > kLargestCents / std::llabs(count)) {
    return (cents < 0) != (count < 0) ? -kLargestCents : kLargestCents;
  }
  return capped(cents * count);
}

long long addCents(long long a, long long b) {
  return capped(capped(a) + capped(b));
}

}  // namespace kelda::bag

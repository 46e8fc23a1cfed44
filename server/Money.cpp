#include "Money.hpp"

#include <cstdlib>

namespace kelda::server {

std::string formatCents(long long cents) {
  const bool negative = cents < 0;
  const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(cents)
                                                : static_cast<unsigned long long>(cents);
  std::string fraction = std::to_string(magnitude % 100);
  if (fraction.size() < 2) fraction.insert(0, "0");
  return (negative ? "-" : "") + std::to_string(magnitude / 100) + "." + fraction;
}

std::optional<long long> parseCents(std::string_view text) {
  if (!text.empty() && text.front() == '$') text.remove_prefix(1);
  if (text.empty() || text.size() > 15) return std::nullopt;
  long long whole = 0;
  std::size_t i = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    whole = whole * 10 + (text[i] - '0');
  if (i == 0) return std::nullopt;
  long long fraction = 0;
  if (i < text.size()) {
    if (text[i] != '.') return std::nullopt;
    const std::string_view digits = text.substr(i + 1);
    if (digits.empty() || digits.size() > 2) return std::nullopt;
    for (char c : digits) {
      if (c < '0' || c > '9') return std::nullopt;
      fraction = fraction * 10 + (c - '0');
    }
    if (digits.size() == 1) fraction *= 10;
  }
  return whole * 100 + fraction;
}

long long applyBasisPoints(long long cents, long long basisPoints) {
  return (cents * basisPoints + 5000) / 10000;
}

}  // namespace kelda::server

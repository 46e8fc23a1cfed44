#include "Refinements.hpp"

#include "Text.hpp"

namespace kelda::server {
namespace {

// True when `text` in ASCII lower case equals `lower` (without making a lower-case copy).
bool equalsLowered(std::string_view text, const std::string& lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != lower[i]) return false;
  }
  return true;
}

bool noRestriction(const std::string& value) {
  return value.empty() || lowerAscii(value) == "any";
}

}  // namespace

std::optional<std::string_view> brandName(long long brandId) {
  const auto departments = reference::departments();
  if (brandId <= 0) return std::nullopt;
  const auto d = static_cast<std::size_t>((brandId - 1) / 100);
  const auto i = static_cast<std::size_t>((brandId - 1) % 100);
  if (d >= departments.size() || i >= departments[d].brands.size()) return std::nullopt;
  return departments[d].brands[i];
}

std::span<const reference::PriceBand> priceBands(long long departmentId) {
  for (const auto& dept : reference::departments()) {
    if (dept.id == departmentId) return dept.prices;
  }
  return reference::departments().front().prices;
}

std::optional<Refinements> Refinements::parse(std::string_view text) {
  Refinements r;
  if (trim(text).empty()) return r;
  const json::Value object = decode(text);
  if (!object.isObject()) return std::nullopt;
  for (auto [key, value] : object.members()) {
    if (value.isString() || value.isNumber()) r.given_[std::string(key)] = trim(value.text());
  }
  for (const auto& [name, value] : r.given_) {
    if (noRestriction(value)) continue;
    if (name == "BRAND") {
      if (auto id = parseId(value)) {
        auto n = brandName(*id);
        r.brand_ = n ? lowerAscii(*n) : std::string();
        r.impossible_ = r.impossible_ || !n;
      } else {
        r.brand_ = lowerAscii(value);
      }
    } else if (name == "PRICE") {
      std::optional<PriceFilter> filter;
      const auto departments = reference::departments();
      for (std::size_t d = 0; d < departments.size() && !filter; ++d) {
        for (std::size_t i = 0; i < departments[d].prices.size(); ++i) {
          const auto& band = departments[d].prices[i];
          const bool byId = parseId(value) == static_cast<long long>(d * 100 + i + 1);
          if (byId || lowerAscii(band.name) == lowerAscii(value)) {
            filter = PriceFilter{band.lowCents, band.highCents};
            break;
          }
        }
      }
      r.impossible_ = r.impossible_ || !filter;
      r.price_ = filter;
    } else if (name == "COLOR") {
      r.colour_ = lowerAscii(value);
    } else if (name == "RATING") {
      r.minRating_ = (value[0] >= '0' && value[0] <= '9') ? (value[0] - '0') * 2 : 0;
    }
  }
  return r;
}

bool Refinements::matches(const Candidate& c) const {
  if (impossible_) return false;
  if (brand_ && !equalsLowered(c.brand, *brand_)) return false;
  if (price_ && (c.priceCents < price_->low || (price_->high && c.priceCents >= price_->high))) {
    return false;
  }
  if (colour_ && !equalsLowered(c.colour, *colour_)) return false;
  return c.rating >= minRating_;
}

json::Value Refinements::applied() const {
  ObjectBuilder out;
  auto brand = given_.find("BRAND");
  auto price = given_.find("PRICE");
  out.add("BRAND", brand == given_.end() ? std::string() : brand->second);
  out.add("PRICE", price == given_.end() ? std::string() : price->second);
  for (const char* name : {"COLOR", "RATING"}) {
    auto it = given_.find(name);
    if (it != given_.end()) out.add(name, it->second);
  }
  return out.build();
}

}  // namespace kelda::server

// ReferenceData: the fixed tables the seeder builds the demo store from (departments and their
// category ids, subcategories, brands, price ranges, attributes, states, store places). Constant
// data; any thread.
#pragma once

#include <span>
#include <string_view>

namespace kelda::server::reference {

struct PriceBand {
  std::string_view name;
  long long lowCents;
  long long highCents;  // exclusive; 0 means no upper bound
};

struct Department {
  long long id;
  int tag;
  std::string_view name;
  std::span<const std::string_view> subcategories;
  std::span<const std::string_view> brands;  // without the leading "Any"
  std::span<const PriceBand> prices;         // without the leading "Any"
  std::span<const std::string_view> nouns;   // product name nouns
  std::span<const std::string_view> sizes;   // empty: no SIZE attribute
  std::span<const std::string_view> types;   // empty: no TYPE attribute
  bool colours;                              // COLOR attribute offered
  long long minCents;
  long long maxCents;
};

struct State {
  std::string_view code;
  std::string_view name;
  int taxBasisPoints;
  std::string_view region;
};

struct Place {
  std::string_view city;
  std::string_view state;
  std::string_view zipcode;
  double latitude;
  double longitude;
  std::string_view mall;
};

struct CardType {
  std::string_view code;
  std::string_view name;
  std::string_view maxLength;
  std::string_view visible;
};

struct Promotion {
  std::string_view code;
  std::string_view name;
  std::string_view kind;  // "ORDER" percent off, "ITEM" percent off a department, "SHIP"
  int percent;
  long long departmentId;
};

// The ten browsable departments (tags 0 to 9); the sales department is kSalesDepartment.
std::span<const Department> departments();
inline constexpr long long kSalesDepartment = 3536;
inline constexpr int kSalesTag = 10;
std::span<const State> states();
std::span<const Place> places();
std::span<const std::string_view> colours();
std::span<const std::string_view> adjectives();
std::span<const CardType> cardTypes();
std::span<const Promotion> promotions();

// Category id schemes (chosen so that no two kinds collide with each other or a department).
inline long long subcategoryId(std::size_t department, std::size_t index) {
  return 30000 + static_cast<long long>(department) * 100 + static_cast<long long>(index);
}
inline long long topRatedId(long long subcategory) {
  return subcategory + 30000;
}

}  // namespace kelda::server::reference

// CatalogueSeeder: fills an empty data file with the demo store, deterministically from a seed:
// departments, categories, brands, price ranges, products with their UPCs and search index,
// collections, sale and top-rated lists, promotions, states, stores with events, savings passes,
// card types and the demo account. Runs once, on the thread that opens the server, in one
// transaction with prepared inserts.
#pragma once

#include <cstdint>
#include <string_view>

#include "Database.hpp"
#include "PasswordHasher.hpp"

namespace kelda::server {

struct SeedOptions {
  long long products = 5000;
  std::uint64_t seed = 1;
};

// The demo account the README names.
inline constexpr std::string_view kDemoEmail = "demo@kelda.test";
inline constexpr std::string_view kDemoPassword = "kelda123";

class CatalogueSeeder {
 public:
  CatalogueSeeder(Database& db, PasswordHasher& hasher) : db_(db), hasher_(hasher) {}
  // Seeds everything; throws on failure (the transaction is rolled back).
  void seed(const SeedOptions& options);

 private:
  void seedDepartments();
  void seedProducts(const SeedOptions& options);
  void seedProduct(long long index, const SeedOptions& options);
  void seedSales();
  void seedReferenceTables();
  void seedStores(std::uint64_t seed);
  void seedDemoAccount();

  Database& db_;
  PasswordHasher& hasher_;
  long long nextUpc_ = 500001;
  // The bulk inserts, prepared once for the whole catalogue.
  Statement* upcInsert_ = nullptr;
  Statement* productInsert_ = nullptr;
  Statement* textInsert_ = nullptr;
};

// Product ids are 100001 onwards, in seeding order.
inline constexpr long long kFirstProductId = 100001;
// Collection parents: which index is a parent of which kind, and how many children follow it.
std::string_view collectionKind(long long index);  // "ITEM", "TAB" or "" (not a parent)
int collectionChildren(std::string_view kind);

}  // namespace kelda::server

#include "CatalogueSeeder.hpp"

#include <fmt/format.h>

#include <array>
#include <cctype>
#include <string>
#include <vector>

#include "Random.hpp"
#include "ReferenceData.hpp"
#include "Schema.hpp"

namespace kelda::server {
namespace {

using reference::Department;

std::string lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

long long roundTo99(long long cents) {
  return cents < 100 ? 99 : (cents / 100) * 100 + 99 - 100;
}

constexpr std::array<std::string_view, 6> kPhrases{
    "made to last and easy to care for",          "a favourite of our shoppers season after season",
    "designed for comfort from morning to night", "finished with thoughtful details",
    "an everyday essential at a great price",     "perfect for gifting or keeping"};
constexpr std::array<std::string_view, 8> kStreets{"Main Street",   "Broadway",   "Market Street",
                                                   "Park Avenue",   "Lake Drive", "Commerce Way",
                                                   "Center Street", "Elm Avenue"};
constexpr std::array<std::string_view, 6> kEvents{"Fall Fashion Show",   "Beauty Day",
                                                  "Kids' Story Hour",    "Home Chef Demonstration",
                                                  "Shoe Fitting Clinic", "Jewelry Trunk Show"};

// The parent (index) of a collection child, or -1. Children are the products 10, 20, ... places
// after their parent, so that they share its department.
long long parentOf(long long index) {
  if (!collectionKind(index).empty()) return -1;
  for (int k = 1; k <= 4; ++k) {
    const long long p = index - 10LL * k;
    if (p < 0) break;
    const std::string_view kind = collectionKind(p);
    if (!kind.empty() && k <= collectionChildren(kind)) return p;
  }
  return -1;
}

}  // namespace

std::string_view collectionKind(long long index) {
  if (index % 97 == 5) return "ITEM";
  if (index % 101 == 7) return "TAB";
  return "";
}

int collectionChildren(std::string_view kind) {
  return kind == "ITEM" ? 3 : kind == "TAB" ? 4 : 0;
}

void CatalogueSeeder::seed(const SeedOptions& options) {
  // A fresh file needs no write-ahead log while it is filled in one transaction: new pages are
  // written once instead of twice, and a large page cache keeps the index builds in memory.
  db_.exec("PRAGMA journal_mode=DELETE");
  db_.exec("PRAGMA cache_size=-262144");
  createSchema(db_);
  Transaction tx(db_);
  seedDepartments();
  seedSales();
  seedReferenceTables();
  seedStores(options.seed);
  seedProducts(options);
  seedDemoAccount();
  auto& meta = db_.prepare("INSERT OR REPLACE INTO meta(key, value) VALUES (?, ?)");
  meta.bind(1, "seed").bind(2, std::to_string(options.seed)).run();
  meta.reset().bind(1, "products").bind(2, std::to_string(options.products)).run();
  meta.reset().bind(1, "seeded").bind(2, "1").run();
  tx.commit();
  createIndexes(db_);
  db_.exec("PRAGMA analysis_limit=1000");
  db_.exec("ANALYZE");
  db_.exec("PRAGMA cache_size=-2000");
  db_.exec("PRAGMA journal_mode=WAL");
}

void CatalogueSeeder::seedDepartments() {
  auto& dep = db_.prepare("INSERT INTO departments(id, tag, name) VALUES (?, ?, ?)");
  auto& cat = db_.prepare(
      "INSERT INTO categories(id, parent_id, department_id, name, kind, source_id, position) "
      "VALUES (?, ?, ?, ?, ?, ?, ?)");
  auto& brand =
      db_.prepare("INSERT INTO brands(id, department_id, name, position) VALUES (?,?,?,?)");
  auto& price = db_.prepare(
      "INSERT INTO price_ranges(id, department_id, name, low_cents, high_cents, position) "
      "VALUES (?, ?, ?, ?, ?, ?)");
  const auto all = reference::departments();
  for (std::size_t d = 0; d < all.size(); ++d) {
    const Department& dept = all[d];
    dep.reset().bind(1, dept.id).bind(2, dept.tag).bind(3, dept.name).run();
    for (std::size_t i = 0; i < dept.subcategories.size(); ++i) {
      const long long sub = reference::subcategoryId(d, i);
      cat.reset().bind(1, sub).bind(2, dept.id).bind(3, dept.id).bind(4, dept.subcategories[i]);
      cat.bind(5, "sub").bind(6, sub).bind(7, static_cast<long long>(i)).run();
      if (i < 8) {
        cat.reset().bind(1, reference::topRatedId(sub)).bind(2, dept.id).bind(3, dept.id);
        cat.bind(4, dept.subcategories[i]).bind(5, "ctr").bind(6, sub);
        cat.bind(7, static_cast<long long>(i)).run();
      }
    }
    for (std::size_t i = 0; i < dept.brands.size(); ++i) {
      brand.reset().bind(1, static_cast<long long>(d * 100 + i + 1)).bind(2, dept.id);
      brand.bind(3, dept.brands[i]).bind(4, static_cast<long long>(i)).run();
    }
    for (std::size_t i = 0; i < dept.prices.size(); ++i) {
      const auto& band = dept.prices[i];
      price.reset().bind(1, static_cast<long long>(d * 100 + i + 1)).bind(2, dept.id);
      price.bind(3, band.name).bind(4, band.lowCents).bind(5, band.highCents);
      price.bind(6, static_cast<long long>(i)).run();
    }
  }
}

void CatalogueSeeder::seedSales() {
  auto& dep = db_.prepare("INSERT INTO departments(id, tag, name) VALUES (?, ?, ?)");
  dep.bind(1, reference::kSalesDepartment).bind(2, reference::kSalesTag).bind(3, "Sale").run();
  auto& cat = db_.prepare(
      "INSERT INTO categories(id, parent_id, department_id, name, kind, source_id, position) "
      "VALUES (?, ?, ?, ?, ?, ?, ?)");
  const auto all = reference::departments();
  for (std::size_t d = 0; d < all.size(); ++d) {
    const long long saleId = 40000 + static_cast<long long>(d);
    cat.reset().bind(1, saleId).bind(2, reference::kSalesDepartment).bind(3, all[d].id);
    cat.bind(4, fmt::format("{} Sale", all[d].name)).bind(5, "sale").bind(6, all[d].id);
    cat.bind(7, static_cast<long long>(d)).run();
    // Women, Men, Kids and Shoes sales are split further; the others are lists of their own.
    if (d != 2 && d != 3 && d != 5 && d != 7) continue;
    for (std::size_t j = 0; j < 4; ++j) {
      const long long sub = reference::subcategoryId(d, j);
      cat.reset().bind(1, 41000 + static_cast<long long>(d * 10 + j)).bind(2, saleId);
      cat.bind(3, all[d].id).bind(4, fmt::format("{} on Sale", all[d].subcategories[j]));
      cat.bind(5, "salesub").bind(6, sub).bind(7, static_cast<long long>(j)).run();
    }
  }
}

void CatalogueSeeder::seedReferenceTables() {
  auto& state = db_.prepare("INSERT INTO states(code, name, tax_bp, region) VALUES (?, ?, ?, ?)");
  for (const auto& s : reference::states()) {
    state.reset().bind(1, s.code).bind(2, s.name).bind(3, s.taxBasisPoints).bind(4, s.region).run();
  }
  auto& card = db_.prepare(
      "INSERT INTO card_types(code, name, max_length, visible, position) VALUES (?, ?, ?, ?, ?)");
  int position = 0;
  for (const auto& c : reference::cardTypes()) {
    card.reset().bind(1, c.code).bind(2, c.name).bind(3, c.maxLength).bind(4, c.visible);
    card.bind(5, position++).run();
  }
  auto& promo = db_.prepare(
      "INSERT INTO promotions(code, name, kind, percent, department_id, position) "
      "VALUES (?, ?, ?, ?, ?, ?)");
  position = 0;
  for (const auto& p : reference::promotions()) {
    promo.reset().bind(1, p.code).bind(2, p.name).bind(3, p.kind).bind(4, p.percent);
    promo.bind(5, p.departmentId).bind(6, position++).run();
  }
  auto& pass = db_.prepare(
      "INSERT INTO savings_passes(region, title, percent, region_text) VALUES (?, ?, ?, ?)");
  const std::array<std::pair<std::string_view, int>, 4> regions{
      {{"Northeast", 15}, {"South", 20}, {"Midwest", 15}, {"West", 10}}};
  for (const auto& [region, percent] : regions) {
    pass.reset().bind(1, region).bind(2, fmt::format("{}% off one regular or sale item", percent));
    pass.bind(3, percent)
        .bind(4, fmt::format("Valid at every Kelda's store in the {}", region))
        .run();
  }
}

void CatalogueSeeder::seedStores(std::uint64_t seed) {
  auto& store = db_.prepare(
      "INSERT INTO stores(id, name, address1, address2, city, state, zipcode, phone, latitude, "
      "longitude, hours) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  auto& event = db_.prepare(
      "INSERT INTO store_events(store_id, name, description, start_offset, days) "
      "VALUES (?, ?, ?, ?, ?)");
  const auto places = reference::places();
  for (std::size_t i = 0; i < places.size(); ++i) {
    const auto& p = places[i];
    Random r(seed, 900000 + i);
    const long long id = 1001 + static_cast<long long>(i);
    store.reset().bind(1, id).bind(2, fmt::format("Kelda's {}", p.mall));
    store.bind(3, fmt::format("{} {}", 100 + r.below(900), kStreets[r.below(kStreets.size())]));
    store.bind(4, i % 3 == 0 ? std::string() : fmt::format("Level {}", 1 + r.below(3)));
    store.bind(5, p.city).bind(6, p.state).bind(7, p.zipcode);
    store.bind(8, fmt::format("{}-555-{:04}", p.zipcode.substr(0, 3), 100 + i));
    store.bind(9, p.latitude).bind(10, p.longitude);
    store
        .bind(11, i % 4 == 0 ? "Monday - Saturday|10:00 AM - 9:30 PM;Sunday|11:00 AM - 7:00 PM"
                             : "Monday - Saturday|10:00 AM - 9:00 PM;Sunday|11:00 AM - 6:00 PM")
        .run();
    for (int e = 0; e < 4; ++e) {
      const auto name = kEvents[(i + static_cast<std::size_t>(e)) % kEvents.size()];
      event.reset().bind(1, id).bind(2, name);
      event.bind(3, fmt::format("Join us at Kelda's {} for our {}.\\nFree for every shopper.",
                                p.mall, name));
      event.bind(4, r.between(-3, 21)).bind(5, r.between(1, 3)).run();
    }
  }
}

void CatalogueSeeder::seedProducts(const SeedOptions& options) {
  upcInsert_ = &db_.prepare(
      "INSERT INTO upcs(id, product_id, colour, size, type, upc_number, price_cents, stock, "
      "in_store) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
  productInsert_ = &db_.prepare(
      "INSERT INTO products(id, category_id, department_id, brand_id, name, description, "
      "old_cents, new_cents, price_type, rating, review_count, more_color, find_in_store, "
      "available, max_quantity, pdp_flag, parent_id, tab_name, shipping_codes, excluded_states, "
      "tax_code, surcharge_cents, click_to_call, colour_family, on_sale) "
      "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
  textInsert_ =
      &db_.prepare("INSERT INTO product_text(rowid, name, description, brand) VALUES (?, ?, ?, ?)");
  for (long long index = 0; index < options.products; ++index) seedProduct(index, options);
}

void CatalogueSeeder::seedProduct(long long index, const SeedOptions& options) {
  static constexpr std::array<std::string_view, 4> kPriceTypes{"REG-SALE", "ORG-NOW", "EDV",
                                                               "NOVERBAGE"};
  static constexpr std::array<long long, 4> kMaxQuantities{1, 3, 5, 10};
  Random r(options.seed, static_cast<std::uint64_t>(index));
  const std::size_t d = static_cast<std::size_t>(index % 10);
  const Department& dept = reference::departments()[d];
  const std::size_t sub = static_cast<std::size_t>((index / 10) % dept.subcategories.size());
  const std::size_t brandIndex = r.below(dept.brands.size());
  const std::string_view brand = dept.brands[brandIndex];
  const std::string_view adjective = r.pick(reference::adjectives());
  const std::string_view noun = r.pick(dept.nouns);
  const std::string_view kind = collectionKind(index);
  const long long parent = parentOf(index);
  const long long id = kFirstProductId + index;

  std::string name = fmt::format("{} {} {}", brand, adjective, noun);
  if (!kind.empty()) name += " Collection";
  std::string description = fmt::format("The {} {} from {}: {}.", lower(adjective), lower(noun),
                                        brand, kPhrases[r.below(kPhrases.size())]);
  const long long oldCents = roundTo99(r.between(dept.minCents, dept.maxCents)) + 100;
  const std::string_view priceType = kPriceTypes[r.below(kPriceTypes.size())];
  const bool onSale = priceType == "REG-SALE" || priceType == "ORG-NOW";
  const long long newCents =
      onSale ? std::max(99LL, roundTo99(oldCents * r.between(60, 85) / 100)) : 0;
  const long long priceCents = onSale ? newCents : oldCents;
  const long long rating = r.chance(8) ? r.between(0, 10) : r.between(5, 10);
  const long long reviews = rating == 0 ? 0 : r.between(0, 60);
  const bool available = !kind.empty() || !r.chance(3);
  const long long maxQuantity = kMaxQuantities[r.below(kMaxQuantities.size())];
  const std::string shipping = (index % 7 == 3) ? "G,O" : (d == 0 && r.chance(20)) ? "G" : "G,O,2";
  const std::string excluded = d == 6 ? "AK,HI" : r.chance(5) ? "CA" : "";
  const long long surcharge = (d <= 1 && r.chance(15)) ? 1000 : 0;

  std::vector<std::string_view> colours, sizes, types;
  if (kind.empty()) {
    if (dept.colours) {
      const auto palette = reference::colours();
      const std::size_t start = r.below(palette.size()), count = 1 + r.below(3);
      for (std::size_t k = 0; k < count; ++k)
        colours.push_back(palette[(start + k * 5) % palette.size()]);
    }
    if (!dept.sizes.empty()) {
      const std::size_t count = 1 + r.below(std::min<std::size_t>(4, dept.sizes.size()));
      const std::size_t start = r.below(dept.sizes.size() - count + 1);
      for (std::size_t k = 0; k < count; ++k) sizes.push_back(dept.sizes[start + k]);
    }
    if (!dept.types.empty()) {
      const std::size_t count = 1 + r.below(dept.types.size());
      for (std::size_t k = 0; k < count; ++k) types.push_back(dept.types[k]);
    }
  }

  bool anyInStore = false;
  Statement& upc = *upcInsert_;
  const std::vector<std::string_view> none{""};
  for (auto c : colours.empty() ? none : colours) {
    for (auto s : sizes.empty() ? none : sizes) {
      for (auto t : types.empty() ? none : types) {
        const bool inStore = r.chance(70);
        anyInStore = anyInStore || inStore;
        const long long stock = available ? (r.chance(8) ? 0 : r.between(2, 40)) : 0;
        const long long upcId = nextUpc_++;
        upc.reset().bind(1, upcId).bind(2, id).bind(3, c).bind(4, s).bind(5, t);
        upc.bind(6, fmt::format("7{:011}", upcId * 7919 % 100000000000LL)).bind(7, priceCents);
        upc.bind(8, stock).bind(9, inStore ? 1 : 0).run();
      }
    }
  }

  Statement& product = productInsert_->reset();
  product.bind(1, id).bind(2, reference::subcategoryId(d, sub)).bind(3, dept.id);
  product.bind(4, static_cast<long long>(d * 100 + brandIndex + 1)).bind(5, name);
  product.bind(6, description).bind(7, oldCents).bind(8, newCents).bind(9, priceType);
  product.bind(10, rating).bind(11, reviews).bind(12, colours.size() > 1 ? 1 : 0);
  product.bind(13, anyInStore && available ? 1 : 0).bind(14, available ? 1 : 0);
  product.bind(15, maxQuantity).bind(16, kind.empty() ? "SIMPLE" : kind);
  product.bind(17, parent < 0 ? 0 : kFirstProductId + parent);
  product.bind(18, parent < 0 || collectionKind(parent) != "TAB"
                       ? std::string()
                       : std::string((index - parent) / 10 % 2 == 1 ? "Tops" : "Bottoms"));
  product.bind(19, shipping).bind(20, excluded).bind(21, fmt::format("TC{:02}", d));
  product.bind(22, surcharge).bind(23, d == 0 && index % 3 == 0 ? 1 : 0);
  product.bind(24, colours.empty() ? std::string_view() : colours.front()).bind(25, onSale ? 1 : 0);
  product.run();

  Statement& text = textInsert_->reset();
  text.bind(1, id).bind(2, name).bind(3, description).bind(4, brand).run();
}

void CatalogueSeeder::seedDemoAccount() {
  auto& account = db_.prepare(
      "INSERT INTO accounts(email, password_hash, first_name, last_name, address1, address2, "
      "city, state, zipcode, phone, birth_date, gender, subscription) "
      "VALUES (?, ?, 'Dana', 'Demo', '350 Fifth Avenue', 'Floor 3', 'New York', 'NY', '10118', "
      "'212-555-0100', 'Mar 14, 1985', 'F', 1)");
  account.bind(1, kDemoEmail).bind(2, hasher_.hash(kDemoPassword)).run();
  const long long accountId = db_.lastInsertId();
  auto& contact = db_.prepare(
      "INSERT INTO contacts(account_id, first_name, last_name, address1, address2, city, state, "
      "zipcode, phone) VALUES (?, 'Dana', 'Demo', ?, ?, ?, ?, ?, ?)");
  contact.bind(1, accountId).bind(2, "350 Fifth Avenue").bind(3, "Floor 3").bind(4, "New York");
  contact.bind(5, "NY").bind(6, "10118").bind(7, "212-555-0100").run();
  const long long home = db_.lastInsertId();
  contact.reset()
      .bind(1, accountId)
      .bind(2, "1 Market Street")
      .bind(3, "")
      .bind(4, "San Francisco");
  contact.bind(5, "CA").bind(6, "94105").bind(7, "415-555-0199").run();
  const long long office = db_.lastInsertId();
  auto& card = db_.prepare(
      "INSERT INTO cards(account_id, card_type, card_number, expiration, billing_contact_id, "
      "first_name, last_name, address1, address2, city, state, zipcode, phone, email) "
      "VALUES (?, ?, ?, ?, ?, 'Dana', 'Demo', ?, ?, ?, ?, ?, ?, ?)");
  card.bind(1, accountId).bind(2, "VI").bind(3, "4111111111111111").bind(4, "Dec, 2029");
  card.bind(5, home).bind(6, "350 Fifth Avenue").bind(7, "Floor 3").bind(8, "New York");
  card.bind(9, "NY").bind(10, "10118").bind(11, "212-555-0100").bind(12, kDemoEmail).run();
  const long long visa = db_.lastInsertId();
  card.reset().bind(1, accountId).bind(2, "MC").bind(3, "5555555555554444").bind(4, "June, 2030");
  card.bind(5, office).bind(6, "1 Market Street").bind(7, "").bind(8, "San Francisco");
  card.bind(9, "CA").bind(10, "94105").bind(11, "415-555-0199").bind(12, kDemoEmail).run();
  auto& defaults =
      db_.prepare("UPDATE accounts SET default_contact_id = ?, default_card_id = ? WHERE id = ?");
  defaults.bind(1, home).bind(2, visa).bind(3, accountId).run();
}

}  // namespace kelda::server

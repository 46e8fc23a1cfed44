#include "ResultEndpoints.hpp"

#include <algorithm>
#include <cctype>
#include <set>

#include "Money.hpp"
#include "Text.hpp"

namespace kelda::server {
namespace {

constexpr const char* kCandidateColumns =
    "SELECT p.id, p.brand_id, p.old_cents, p.new_cents, p.colour_family, p.rating, "
    "p.department_id FROM ";

// The palette's index of a colour name (-1 when it is not in the palette).
std::size_t colourIndexOf(const std::string& name) {
  const auto palette = reference::colours();
  for (std::size_t i = 0; i < palette.size(); ++i) {
    if (palette[i] == name) return i;
  }
  return static_cast<std::size_t>(-1);
}

// Brand ids are department * 100 + position: below this bound.
constexpr long long kBrandIdLimit = 100 * 100;

Candidate readCandidate(const Statement& st) {
  Candidate c;
  c.id = st.integer(0);
  c.brandId = st.integer(1);
  c.brand = brandName(c.brandId).value_or("");
  c.priceCents = st.integer(3) > 0 ? st.integer(3) : st.integer(2);
  c.colourIndex = colourIndexOf(st.text(4));
  if (c.colourIndex < reference::colours().size()) c.colour = reference::colours()[c.colourIndex];
  c.rating = static_cast<int>(st.integer(5));
  c.departmentId = st.integer(6);
  return c;
}

CandidateList collect(Statement& st) {
  auto list = std::make_shared<std::vector<Candidate>>();
  while (st.step()) list->push_back(readCandidate(st));
  return list;
}

json::Value extra(long long total, long long nextPage) {
  return json::Value::array({ObjectBuilder()
                                 .add("totalCount", number(total))
                                 .add("pageLimit", number(kPageLimit))
                                 .add("pageNumber", number(nextPage))
                                 .build()});
}

json::Value refinement(const char* name, std::vector<std::string> values) {
  std::vector<json::Value> items(values.begin(), values.end());
  return ObjectBuilder()
      .add("refinementName", name)
      .add("refinementValues", json::Value::array(std::move(items)))
      .build();
}

// The refinements offered for a set of products: brands, price bands, colours and ratings
// that at least one of them has. One pass with flags by brand id and palette index, since a
// common search finds tens of thousands of products.
void addOfferedRefinements(ObjectBuilder& out, const std::vector<const Candidate*>& found,
                           long long departmentId) {
  const auto palette = reference::colours();
  std::vector<char> brandSeen(static_cast<std::size_t>(kBrandIdLimit), 0),
      colourSeen(palette.size(), 0);
  const auto bands = priceBands(departmentId);
  std::vector<bool> bandUsed(bands.size(), false);
  int bestRating = 0;
  for (const Candidate* c : found) {
    if (c->brandId > 0 && c->brandId < kBrandIdLimit)
      brandSeen[static_cast<std::size_t>(c->brandId)] = 1;
    if (c->colourIndex < palette.size()) colourSeen[c->colourIndex] = 1;
    bestRating = std::max(bestRating, c->rating);
    for (std::size_t b = 0; b < bands.size(); ++b) {
      if (c->priceCents >= bands[b].lowCents &&
          (!bands[b].highCents || c->priceCents < bands[b].highCents)) {
        bandUsed[b] = true;
      }
    }
  }
  std::vector<std::string_view> brands, colours;
  for (std::size_t id = 0; id < brandSeen.size(); ++id) {
    if (!brandSeen[id]) continue;
    if (auto name = brandName(static_cast<long long>(id)); name && !name->empty())
      brands.push_back(*name);
  }
  for (std::size_t i = 0; i < palette.size(); ++i) {
    if (colourSeen[i] && !palette[i].empty()) colours.push_back(palette[i]);
  }
  // Equal names from different departments ("Kelda Home") are listed once.
  for (auto* list : {&brands, &colours}) {
    std::sort(list->begin(), list->end());
    list->erase(std::unique(list->begin(), list->end()), list->end());
  }
  std::vector<std::string> prices;
  for (std::size_t b = 0; b < bands.size(); ++b) {
    if (bandUsed[b]) prices.emplace_back(bands[b].name);
  }
  std::vector<std::string> ratings;
  for (int stars = 4; stars >= 1; --stars) {
    if (bestRating >= stars * 2)
      ratings.push_back(std::to_string(stars) + (stars == 1 ? " Star & Up" : " Stars & Up"));
  }
  out.add("refinementParams", json::Value::array({"Brand", "Price", "Color", "Customer Rating"}));
  out.add("refinement", json::Value::array({
                            refinement("BRAND", {brands.begin(), brands.end()}),
                            refinement("PRICE", std::move(prices)),
                            refinement("COLOR", {colours.begin(), colours.end()}),
                            refinement("RATING", std::move(ratings)),
                        }));
}

}  // namespace

json::Value emptyResults(std::string message) {
  return ObjectBuilder()
      .add("data", json::Value::array())
      .add("extra", extra(0, 1))
      .add("refinementParams", json::Value::array())
      .add("refinement", json::Value::array())
      .add("appliedRefinements", "{}")
      .add("error", true)
      .add("errorMsg", std::move(message))
      .build();
}

json::Value productRow(Database& db, long long productId, const std::string& baseUrl,
                       ProductRowCache* cache) {
  const std::string id = std::to_string(productId);
  const std::string image = baseUrl + "/images/product/" + id + ".png";
  if (cache) {
    if (auto row = cache->find(productId)) return row->with("imageSource", image);
  }
  auto& st = db.prepare(
      "SELECT name, old_cents, new_cents, price_type, rating, more_color, find_in_store, "
      "available FROM products WHERE id = ?");
  if (!st.bind(1, productId).step()) return json::Value::object();
  json::Value row =
      ObjectBuilder()
          .add("prodId", id)
          .add("prodName", st.text(0))
          .add("prodDesc", st.text(0))
          .add("oldPrice", formatCents(st.integer(1)))
          .add("newPrice", st.integer(2) > 0 ? formatCents(st.integer(2)) : std::string())
          .add("priceTypeFlag", st.text(3))
          .add("overallRating", halfSteps(st.integer(4)))
          .add("moreColor", st.integer(5) ? "1" : "0")
          .add("findInStoreFlag", number(st.integer(6)))
          .add("available", number(st.integer(7)))
          .add("imageSource", image)
          .build();
  if (cache) cache->put(productId, row);
  return row;
}

std::string ResultEndpoints::searchQuery(std::string_view phrase) {
  std::string query, word;
  int words = 0;
  auto flush = [&] {
    if (!word.empty() && words < 8) {
      if (!query.empty()) query += ' ';
      query += '"' + lowerAscii(word) + '"';
      ++words;
    }
    word.clear();
  };
  for (unsigned char c : phrase) {
    if (std::isalnum(c) || c >= 0x80) {
      word.push_back(static_cast<char>(c));
    } else {
      flush();
    }
  }
  flush();
  return query;
}

CandidateList ResultEndpoints::categoryCandidates(Database& db, long long id) {
  return state_.results.findOrMake("c:" + std::to_string(id), [&]() -> CandidateList {
    const std::string from = std::string(kCandidateColumns) + "products p ";
    auto& cat = db.prepare("SELECT kind, source_id FROM categories WHERE id = ?");
    if (cat.bind(1, id).step()) {
      const std::string kind = cat.text(0);
      const long long source = cat.integer(1);
      if (kind == "sub") {
        return collect(db.prepare(from + "WHERE category_id = ? ORDER BY id").bind(1, source));
      } else if (kind == "salesub") {
        return collect(
            db.prepare(from + "WHERE category_id = ? AND on_sale = 1 ORDER BY id").bind(1, source));
      } else if (kind == "sale") {
        return collect(db.prepare(from + "WHERE department_id = ? AND on_sale = 1 ORDER BY id")
                           .bind(1, source));
      } else if (kind == "ctr") {
        return collect(
            db.prepare(from + "WHERE category_id = ? AND rating >= 8 ORDER BY rating DESC, id")
                .bind(1, source));
      }
      return nullptr;
    }
    if (db.prepare("SELECT 1 FROM departments WHERE id = ? AND tag < 10").bind(1, id).step()) {
      return collect(db.prepare(from + "WHERE department_id = ? ORDER BY id").bind(1, id));
    }
    return nullptr;
  });
}

CandidateList ResultEndpoints::searchCandidates(Database& db, const std::string& query) {
  return state_.results.findOrMake("s:" + query, [&] {
    auto& st = db.prepare(std::string(kCandidateColumns) +
                          "product_text JOIN products p ON p.id = product_text.rowid "
                          "WHERE product_text MATCH ? ORDER BY p.id");
    return collect(st.bind(1, query));
  });
}

json::Value ResultEndpoints::answer(Database& db, const CandidateList& candidates,
                                    const FormFields& form, long long departmentId,
                                    const std::string& baseUrl) {
  const auto refinements = Refinements::parse(form.get("refinements"));
  if (!refinements) return emptyResults("The refinements of this request could not be read.");
  std::vector<const Candidate*> found;
  for (const Candidate& c : *candidates) {
    if (refinements->matches(c)) found.push_back(&c);
  }
  const auto page = pageNumberOf(form, "pageNumber", kMaxResultPage);
  if (!page) return emptyResults("We couldn't find that page of the list.");
  std::vector<json::Value> rows;
  const auto total = static_cast<long long>(found.size());
  const long long first = std::min(total, (*page - 1) * kPageLimit);
  for (long long i = first; i < std::min(total, first + kPageLimit); ++i) {
    rows.push_back(productRow(db, found[static_cast<std::size_t>(i)]->id, baseUrl, &state_.rows));
  }
  ObjectBuilder out;
  out.add("data", json::Value::array(std::move(rows)));
  out.add("extra", extra(total, *page + 1));
  addOfferedRefinements(out, found, departmentId);
  out.add("appliedRefinements", encode(refinements->applied()));
  return out.build();
}

json::Value ResultEndpoints::results(const FormFields& form, const std::string& baseUrl) {
  const auto id = parseId(form.get("categoryId"));
  if (!id) return emptyResults("Please choose a category.");
  auto db = state_.pool.acquire();
  const CandidateList candidates = categoryCandidates(*db, *id);
  if (!candidates) return emptyResults("We couldn't find that category.");
  const long long department = candidates->empty() ? 0 : candidates->front().departmentId;
  return answer(*db, candidates, form, department, baseUrl);
}

json::Value ResultEndpoints::search(const FormFields& form, const std::string& baseUrl) {
  const std::string query = searchQuery(form.get("searchPhrase"));
  if (query.empty()) return emptyResults("Please enter a search term.");
  auto db = state_.pool.acquire();
  return answer(*db, searchCandidates(*db, query), form, 0, baseUrl);
}

}  // namespace kelda::server

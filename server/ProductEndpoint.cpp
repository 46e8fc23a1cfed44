#include "ProductEndpoint.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "Money.hpp"
#include "Random.hpp"
#include "Text.hpp"

namespace kelda::server {
namespace {

struct ProductFacts {
  long long id = 0;
  std::string name, description, priceType, pdpFlag, shipping, excluded, taxCode;
  long long oldCents = 0, newCents = 0, rating = 0, reviews = 0, available = 0, maxQuantity = 1;
  long long surcharge = 0, clickToCall = 0, departmentId = 0;
};

struct Upc {
  long long id;
  std::string colour, size, type, number;
  long long priceCents, stock, inStore;
};

std::optional<ProductFacts> loadProduct(Database& db, long long id) {
  auto& st = db.prepare(
      "SELECT name, description, price_type, pdp_flag, shipping_codes, excluded_states, tax_code, "
      "old_cents, new_cents, rating, review_count, available, max_quantity, surcharge_cents, "
      "click_to_call, department_id FROM products WHERE id = ?");
  if (!st.bind(1, id).step()) return std::nullopt;
  ProductFacts p;
  p.id = id;
  p.name = st.text(0);
  p.description = st.text(1);
  p.priceType = st.text(2);
  p.pdpFlag = st.text(3);
  p.shipping = st.text(4);
  p.excluded = st.text(5);
  p.taxCode = st.text(6);
  p.oldCents = st.integer(7);
  p.newCents = st.integer(8);
  p.rating = st.integer(9);
  p.reviews = st.integer(10);
  p.available = st.integer(11);
  p.maxQuantity = st.integer(12);
  p.surcharge = st.integer(13);
  p.clickToCall = st.integer(14);
  p.departmentId = st.integer(15);
  return p;
}

std::vector<Upc> loadUpcs(Database& db, long long productId) {
  auto& st = db.prepare(
      "SELECT id, colour, size, type, upc_number, price_cents, stock, in_store FROM upcs "
      "WHERE product_id = ? ORDER BY id");
  std::vector<Upc> upcs;
  for (st.bind(1, productId); st.step();) {
    upcs.push_back({st.integer(0), st.text(1), st.text(2), st.text(3), st.text(4), st.integer(5),
                    st.integer(6), st.integer(7)});
  }
  return upcs;
}

std::vector<std::string> distinct(const std::vector<Upc>& upcs, std::string Upc::*field) {
  std::vector<std::string> values;
  for (const auto& u : upcs) {
    const std::string& v = u.*field;
    if (!v.empty() && std::find(values.begin(), values.end(), v) == values.end())
      values.push_back(v);
  }
  return values;
}

json::Value texts(const std::vector<std::string>& values) {
  return json::Value::array(std::vector<json::Value>(values.begin(), values.end()));
}

json::Value children(Database& db, const ProductFacts& parent, const std::string& baseUrl,
                     std::vector<std::string>& tabs) {
  auto& st = db.prepare(
      "SELECT id, name, old_cents, new_cents, tab_name FROM products WHERE parent_id = ?1 "
      "AND parent_id <> 0 ORDER BY id");  // the second term lets the partial index serve
  std::map<std::string, std::vector<json::Value>> byTab;
  std::vector<json::Value> all;
  for (st.bind(1, parent.id); st.step();) {
    const std::string id = std::to_string(st.integer(0));
    json::Value child = ObjectBuilder()
                            .add("childProductId", id)
                            .add("childProductName", st.text(1))
                            .add("childProductsalePrice",
                                 formatCents(st.integer(3) > 0 ? st.integer(3) : st.integer(2)))
                            .add("childImageSource", baseUrl + "/images/product/" + id + ".png")
                            .build();
    const std::string tab = st.text(4);
    if (std::find(tabs.begin(), tabs.end(), tab) == tabs.end()) tabs.push_back(tab);
    byTab[tab].push_back(child);
    all.push_back(child);
  }
  if (parent.pdpFlag != "TAB") return json::Value::array(std::move(all));
  ObjectBuilder grouped;
  for (const auto& tab : tabs) grouped.add(tab, json::Value::array(byTab[tab]));
  return grouped.build();
}

// The detail lines of the details page.
std::vector<std::string> detailTexts(const ProductFacts& p) {
  return {fmt::format("Item number {}", p.id), "Imported",
          p.departmentId == 669 ? "Not for sale in AK or HI" : "Machine washable where marked",
          p.shipping.find('2') == std::string::npos ? "Express shipping not available"
                                                    : "Ships in 1-2 business days"};
}

// Element 0 of "data": the product with its prices, review counters and pictures.
json::Value productData(const ProductFacts& p, const std::vector<std::string>& colours,
                        long long reviewPage, const std::string& baseUrl) {
  const std::string image = baseUrl + "/images/product/" + std::to_string(p.id);
  std::vector<std::string> thumbs, fulls, swatches, swatchImages;
  for (int view = 1; view <= 2; ++view) {
    thumbs.push_back(fmt::format("{}.png?view={}&size=small", image, view));
    fulls.push_back(fmt::format("{}.png?view={}&size=large", image, view));
  }
  for (const auto& c : colours) {
    swatches.push_back(fmt::format("{}.png?color={}&size=swatch", image, c));
    swatchImages.push_back(fmt::format("{}.png?color={}&size=large", image, c));
  }
  const std::vector<std::string> shippingText{
      "Free standard shipping on orders of $75 or more.",
      "Returns accepted within 90 days of purchase in stores or by mail."};
  return ObjectBuilder()
      .add("prodId", std::to_string(p.id))
      .add("prodName", p.name)
      .add("prodDesc", p.description)
      .add("newPrice", p.newCents > 0 ? formatCents(p.newCents) : std::string())
      .add("oldPrice", formatCents(p.oldCents))
      .add("priceTypeFlag", p.priceType)
      .add("rating", halfSteps(p.rating))
      .add("reviewCount", number(p.reviews))
      .add("reviewPageNumber", number(reviewPage + 1))
      .add("reviewPageLimit", number(kReviewPageLimit))
      .add("total_pages", number((p.reviews + kReviewPageLimit - 1) / kReviewPageLimit))
      .add("available", number(p.available))
      .add("imageSource", image + ".png")
      .add("imageSourceDetail", image + ".png?size=large")
      .add("maxQuantity", number(p.maxQuantity))
      .add("shippingReturnText", texts(shippingText))
      .add("attributes", texts(detailTexts(p)))
      .add("additionalImagesThumbnail", texts(thumbs))
      .add("additionalImages", texts(fulls))
      .add("swatches", texts(swatches))
      .add("additionalImagesSwatch", texts(swatchImages))
      .build();
}

// "prod_attributes" and "prodAttrKey": the sizes, colours and types the UPCs offer.
void addAttributes(ObjectBuilder& out, const std::vector<Upc>& upcs) {
  std::vector<json::Value> attributes;
  std::vector<std::string> keys;
  for (const auto& [name, field] : {std::pair{"SIZE", &Upc::size}, std::pair{"COLOR", &Upc::colour},
                                    std::pair{"TYPE", &Upc::type}}) {
    const auto values = distinct(upcs, field);
    if (values.empty()) continue;
    keys.emplace_back(name);
    attributes.push_back(
        ObjectBuilder().add("prodAttrName", name).add("prodAttrValue", texts(values)).build());
  }
  out.add("prod_attributes", json::Value::array(std::move(attributes)));
  out.add("prodAttrKey", texts(keys));
}

// "UPCMapper" (colour-size-type-prodId to UPC id) and "UPCAvailabilityChecker" (UPC id to its
// availability and order attributes).
void addUpcMaps(ObjectBuilder& out, const ProductFacts& p, const std::vector<Upc>& upcs) {
  ObjectBuilder mapper, checker;
  for (const Upc& u : upcs) {
    const std::string upcId = std::to_string(u.id);
    mapper.add(fmt::format("{}-{}-{}-{}", u.colour, u.size, u.type, p.id), upcId);
    checker.add(upcId, ObjectBuilder()
                           .add("Available", number(p.available && u.stock > 0 ? 1 : 0))
                           .add("InStoreEligibilityFlag", number(p.available && u.inStore ? 1 : 0))
                           .add("itemBOAttr", itemBOAttr(u.id, u.number, p.id, u.priceCents,
                                                         p.taxCode, p.surcharge))
                           .build());
  }
  out.add("UPCMapper", mapper.build());
  out.add("UPCAvailabilityChecker", checker.build());
}

// The refusal: no "PDPFLAG", so the client opens no page.
json::Value unknownProduct(std::string message) {
  return ObjectBuilder()
      .add("data", json::Value::array())
      .add("error", true)
      .add("errorMsg", std::move(message))
      .build();
}

}  // namespace

json::Value itemBOAttr(long long upcId, const std::string& upcNumber, long long productId,
                       long long priceCents, const std::string& taxCode, long long surchargeCents) {
  return ObjectBuilder()
      .add("setUpcID", std::to_string(upcId))
      .add("setUpcNumber", upcNumber)
      .add("setProductID", std::to_string(productId))
      .add("setProductTaxwareCode", taxCode)
      .add("setCustomPrice", formatCents(priceCents))
      .add("setSurchargeFee", formatCents(surchargeCents))
      .add("setBaseFeeExempt", surchargeCents > 0 ? "Y" : "N")
      .add("setOrderMethod", "SHIP")
      .add("setAddByApp", "Y")
      .add("setFobFeeFlag", "N")
      .build();
}

json::Value review(std::uint64_t seed, long long productId, long long k, long long productRating) {
  static constexpr std::array<std::string_view, 8> kTitles{
      "Love it",         "Great value",       "Just as described", "Runs a little small",
      "Would buy again", "Beautiful quality", "Good, not great",   "Perfect gift"};
  static constexpr std::array<std::string_view, 6> kTexts{
      "I bought this for everyday use and it has held up really well.",
      "The colour is exactly as pictured and the fit is true to size.",
      "Nice quality for the price. Shipping was quick too.",
      "It took a while to arrive, but it was worth the wait.",
      "My second one already; I keep coming back to it.",
      "Not perfect, but I would still recommend it to a friend."};
  static constexpr std::array<std::string_view, 8> kNames{"Sam",    "Alex",  "Jordan", "Taylor",
                                                          "Morgan", "Casey", "Riley",  "Jamie"};
  static constexpr std::array<std::string_view, 8> kPlaces{
      "Boston, MA",  "Austin, TX",  "Denver, CO", "Seattle, WA",
      "Atlanta, GA", "Chicago, IL", "Miami, FL",  "Portland, OR"};
  Random r(seed ^ static_cast<std::uint64_t>(productId), static_cast<std::uint64_t>(k));
  const long long rating = std::clamp(productRating + r.between(-2, 2), 1LL, 10LL);
  return ObjectBuilder()
      .add("reviewTitle", kTitles[r.below(kTitles.size())])
      .add("reviewDesc", kTexts[r.below(kTexts.size())])
      .add("reviewer", kNames[r.below(kNames.size())])
      .add("reviewLocation", kPlaces[r.below(kPlaces.size())])
      .add("reviewDate", fmt::format("{:02}/{:02}/2026", 1 + r.below(11), 1 + r.below(28)))
      .add("reviewRating", halfSteps(rating))
      .build();
}

json::Value ProductEndpoint::product(const FormFields& form, const std::string& baseUrl) {
  const auto id = parseId(form.get("productId"));
  auto db = state_.pool.acquire();
  const auto product = id ? loadProduct(*db, *id) : std::nullopt;
  if (!product) return unknownProduct("We couldn't find that product.");
  const ProductFacts& p = *product;
  const std::vector<Upc> upcs = loadUpcs(*db, p.id);
  const auto reviewPage = pageNumberOf(form, "reviewPageNumber", kMaxReviewPage);
  if (!reviewPage) return unknownProduct("We couldn't find that page of reviews.");
  const long long page = *reviewPage;
  std::vector<json::Value> reviews;
  for (long long k = (page - 1) * kReviewPageLimit;
       k < std::min(p.reviews, page * kReviewPageLimit); ++k) {
    reviews.push_back(review(state_.seed, p.id, k, p.rating));
  }

  ObjectBuilder out;
  out.add("PDPFLAG", p.pdpFlag);
  out.add("categoryFlag", form.get("categoryFlag"));
  out.add("categoryId", form.get("categoryId"));
  out.add("data",
          json::Value::array({productData(p, distinct(upcs, &Upc::colour), page, baseUrl)}));
  out.add("reviews", json::Value::array(std::move(reviews)));
  addAttributes(out, upcs);
  addUpcMaps(out, p, upcs);
  out.add("CLICK_TO_CALL", p.clickToCall ? "Y" : "N");
  out.add("click_to_call_text", "Speak with a Kelda's home specialist");
  out.add("click_to_call_number", "1-800-555-0123");
  out.add("shippingMethodCodeValues", p.shipping);
  out.add("excludedStateCodeValues", p.excluded);
  out.add("attributes", texts(detailTexts(p)));
  if (p.pdpFlag != "SIMPLE") {
    std::vector<std::string> tabs;
    out.add("childProducts", children(*db, p, baseUrl, tabs));
    if (p.pdpFlag == "TAB") out.add("pdpTabName", texts(tabs));
  }
  return out.build();
}

}  // namespace kelda::server

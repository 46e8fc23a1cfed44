// Browse lists, result paging, refinements and search, through real HTTP.
#include <set>

#include "ServerFixture.hpp"

namespace kelda::server::testing {
namespace {

class Catalogue : public ServerTest {};

std::set<std::string> ids(const json::Value& data) {
  std::set<std::string> out;
  for (json::Value p : data.items()) out.insert(p["prodId"].str());
  return out;
}

// Loads every page of a list the way the client does: sending back "pageNumber" of "extra".
std::vector<std::string> allPages(const std::string& path, const std::string& firstBody,
                                  const std::string& field) {
  std::vector<std::string> seen;
  Answer a = ServerTest::server().post(path, firstBody);
  for (int guard = 0; guard < 100; ++guard) {
    for (json::Value p : a.json["data"].items()) seen.push_back(p["prodId"].str());
    const json::Value extra = a.json["extra"][0];
    if (static_cast<long long>(seen.size()) >= extra["totalCount"].intValue()) break;
    a = ServerTest::server().post(path, firstBody + "&" + field + "=" + extra["pageNumber"].str());
  }
  return seen;
}

TEST_F(Catalogue, DepartmentAnswerHasSubcategoriesBrandsAndPricesStartingWithAny) {
  const Answer a = post("/category", "&categoryId=118");
  ASSERT_EQ(a.status, 200);
  EXPECT_EQ(a.contentType, "application/json; charset=utf-8");
  ASSERT_EQ(a.json["category"].size(), 15u);
  EXPECT_EQ(a.json["category"][0]["col1id"].str(), "30200");
  EXPECT_EQ(a.json["category"][0]["col1name"].str(), "Dresses");
  EXPECT_EQ(a.json["brand"][0]["col2name"].str(), "Any");
  EXPECT_EQ(a.json["brand"][0]["col2id"].str(), "");
  EXPECT_EQ(a.json["brand"][2]["col2name"].str(), "Belle & Bloom");
  EXPECT_EQ(a.json["price"][0]["col3name"].str(), "Any");
  EXPECT_EQ(a.json["price"][1]["col3name"].str(), "Under $25");
  // A category id that is no department leaves the client's cache empty.
  EXPECT_EQ(post("/category", "&categoryId=999999").json.size(), 0u);
  EXPECT_EQ(post("/category", "&categoryId='; DROP TABLE products;--").json.size(), 0u);
}

TEST_F(Catalogue, SaleCategoriesWithAndWithoutSubcategories) {
  const Answer sales = post("/category_sale", "&categoryId=3536");
  ASSERT_EQ(sales.json["category"].size(), 10u);
  EXPECT_EQ(sales.json["category"][2]["col1name"].str(), "Women Sale");
  const Answer women =
      post("/category_sale", "categoryId=" + sales.json["category"][2]["col1id"].str());
  EXPECT_EQ(women.json["category"].size(), 4u);
  const Answer home =
      post("/category_sale", "categoryId=" + sales.json["category"][0]["col1id"].str());
  EXPECT_TRUE(home.json["category"].isArray());
  EXPECT_EQ(home.json["category"].size(), 0u);
  const Answer results =
      post("/results", "categoryId=" + sales.json["category"][0]["col1id"].str() +
                           R"(&refinements={"BRAND":"","PRICE":""})");
  ASSERT_GT(results.json["data"].size(), 0u);
  for (json::Value p : results.json["data"].items()) {
    EXPECT_TRUE(p["priceTypeFlag"].str() == "REG-SALE" || p["priceTypeFlag"].str() == "ORG-NOW");
  }
}

TEST_F(Catalogue, TopRatedListsAtBothAddresses) {
  const Answer departments = server().get("/category_ctr", server().server().ctrPort());
  ASSERT_EQ(departments.json["data"].size(), 10u);
  EXPECT_EQ(departments.json["data"][2]["categoryName"].str(), "Women");
  const Answer subs = post("/category_ctr", "parentCategoryId=118");
  ASSERT_EQ(subs.json["data"].size(), 8u);
  const Answer products =
      post("/results", "categoryId=" + subs.json["data"][0]["categoryId"].str());
  double last = 5.0;
  for (json::Value p : products.json["data"].items()) {
    EXPECT_GE(p["overallRating"].doubleValue(), 4.0);
    EXPECT_LE(p["overallRating"].doubleValue(), last);  // best first
    last = p["overallRating"].doubleValue();
  }
  EXPECT_TRUE(post("/category_ctr", "parentCategoryId=12").json.contains("errorMsg"));
}

TEST_F(Catalogue, ResultRowsCarryTheKeysAndTypesTheListReads) {
  const Answer a = post("/results", R"(categoryId=30200&refinements={"BRAND":"","PRICE":""})");
  ASSERT_GT(a.json["data"].size(), 0u);
  const json::Value p = a.json["data"][0];
  for (const char* key : {"prodId", "prodDesc", "oldPrice", "newPrice", "priceTypeFlag",
                          "moreColor", "imageSource"}) {
    EXPECT_TRUE(p[key].isString()) << key;
  }
  for (const char* key : {"overallRating", "findInStoreFlag", "available"})
    EXPECT_TRUE(p[key].isNumber()) << key;
  EXPECT_EQ(p["imageSource"].str(),
            server().base() + "/images/product/" + p["prodId"].str() + ".png");
  const json::Value extra = a.json["extra"][0];
  EXPECT_EQ(extra["pageLimit"].intValue(), 20);
  EXPECT_EQ(extra["pageNumber"].intValue(), 2);
  EXPECT_EQ(a.json["refinementParams"].size(), a.json["refinement"].size());
  EXPECT_EQ(a.json["refinement"][0]["refinementName"].str(), "BRAND");
  EXPECT_EQ(decode(a.json["appliedRefinements"].str())["BRAND"].str(), "");
}

TEST_F(Catalogue, PagesConcatenateToTheWholeListWithoutDuplicatesOrGaps) {
  const auto pages = allPages("/results_search", "&searchPhrase=classic", "pageNumber");
  const Answer first = post("/results_search", "&searchPhrase=classic");
  const long long total = first.json["extra"][0]["totalCount"].intValue();
  ASSERT_GT(total, 20);  // several pages
  EXPECT_EQ(static_cast<long long>(pages.size()), total);
  EXPECT_EQ(std::set<std::string>(pages.begin(), pages.end()).size(), pages.size());
  // Asking past the end gives an empty page, not an error.
  EXPECT_EQ(post("/results_search", "&searchPhrase=classic&pageNumber=999").json["data"].size(),
            0u);
  // Category paging in the body order the refined requests use.
  const auto byCategory =
      allPages("/results", R"(categoryId=118&refinements={"BRAND":"","PRICE":""})", "pageNumber");
  EXPECT_EQ(std::set<std::string>(byCategory.begin(), byCategory.end()).size(), byCategory.size());
  EXPECT_EQ(static_cast<long long>(byCategory.size()), 30);  // 300 products over 10 departments
}

TEST_F(Catalogue, RefinementsNarrowByBrandLabelOrIdAndPriceLabelOrId) {
  const std::string all = R"(categoryId=118&refinements={"BRAND":"","PRICE":""})";
  const Answer everything = post("/results", all);
  const std::string brand = everything.json["refinement"][0]["refinementValues"][0].str();
  const Answer byName =
      post("/results", R"(categoryId=118&refinements={"BRAND":")" + brand + R"(","PRICE":""})");
  ASSERT_GT(byName.json["data"].size(), 0u);
  EXPECT_LT(byName.json["extra"][0]["totalCount"].intValue(),
            everything.json["extra"][0]["totalCount"].intValue());
  EXPECT_EQ(byName.json["refinement"][0]["refinementValues"].size(), 1u);
  EXPECT_EQ(decode(byName.json["appliedRefinements"].str())["BRAND"].str(), brand);
  // The browse answer's ids select the same products as the labels.
  const Answer browse = post("/category", "&categoryId=118");
  for (json::Value b : browse.json["brand"].items()) {
    if (b["col2name"].str() != brand) continue;
    const Answer byId =
        post("/results", R"(categoryId=118&refinements={"BRAND":")" + b["col2id"].str() + R"("})");
    EXPECT_EQ(ids(byId.json["data"]), ids(byName.json["data"]));
  }
  const Answer cheap = post("/results", R"(categoryId=118&refinements={"PRICE":"Under $25"})");
  for (json::Value p : cheap.json["data"].items()) {
    const double price =
        (p["newPrice"].str().empty() ? p["oldPrice"] : p["newPrice"]).doubleValue();
    EXPECT_LT(price, 25.0);
  }
}

TEST_F(Catalogue, AnAmpersandInABrandArrivesEncodedAndUnknownBrandsFindNothing) {
  // "Stone Ridge" is not a women's brand: nothing, so the client falls back without it.
  const Answer none =
      post("/results", R"(categoryId=118&refinements={"BRAND":"Stone Ridge","PRICE":""})");
  EXPECT_EQ(none.json["data"].size(), 0u);
  EXPECT_EQ(none.json["extra"][0]["totalCount"].intValue(), 0);
  const Answer amp =
      post("/results", R"(categoryId=118&refinements={"BRAND":"Belle %26 Bloom","PRICE":""})");
  for (json::Value p : amp.json["data"].items())
    EXPECT_EQ(p["prodName"].str().rfind("Belle & Bloom", 0), 0u);
  EXPECT_EQ(decode(amp.json["appliedRefinements"].str())["BRAND"].str(), "Belle & Bloom");
}

TEST_F(Catalogue, BadRefinementsAndUnknownCategoriesAnswerInTheListEnvelope) {
  for (const std::string body : {"categoryId=118&refinements={\"BRAND\":", "categoryId=abc",
                                 "categoryId=424242&refinements={}", "searchPhrase=%20%20"}) {
    const Answer a = post(body.rfind("search", 0) == 0 ? "/results_search" : "/results", body);
    EXPECT_EQ(a.status, 200) << body;
    EXPECT_EQ(a.json["data"].size(), 0u) << body;
    EXPECT_EQ(a.json["extra"][0]["totalCount"].intValue(), 0) << body;
    EXPECT_FALSE(a.json["errorMsg"].str().empty()) << body;
  }
}

TEST_F(Catalogue, SearchMatchesWordsAnywhereAndIgnoresOperators) {
  const Answer a = post("/results_search", "&searchPhrase=Classic Jumpsuit");
  for (json::Value p : a.json["data"].items()) {
    EXPECT_NE(p["prodName"].str().find("Classic"), std::string::npos);
    EXPECT_NE(p["prodName"].str().find("Jumpsuit"), std::string::npos);
  }
  // Stemming: "dresses" finds "Dress".
  EXPECT_GT(post("/results_search", "&searchPhrase=dresses").json["data"].size(), 0u);
  EXPECT_EQ(post("/results_search", R"(&searchPhrase=" OR "" NEAR(x) *)").status, 200);
  const Answer refined =
      post("/results_search", R"(searchPhrase=classic&refinements={"COLOR":"Red"})");
  EXPECT_EQ(refined.json["refinement"][2]["refinementValues"].size(), 1u);
}

TEST_F(Catalogue, PromotionsByGetAndPost) {
  const Answer a = server().get("/get_promo");
  ASSERT_EQ(a.json["data"].size(), 4u);
  EXPECT_EQ(a.json["data"][0]["promoCode"].str(), "SAVE10");
  EXPECT_EQ(a.json["data"][0]["promotionName"].str(), "Take 10% off your entire order");
  EXPECT_EQ(post("/get_promo", "").json, a.json);
}

}  // namespace
}  // namespace kelda::server::testing

// The product answer: attributes, the UPC mapper and checker, review pages and collections.
#include "ServerFixture.hpp"

namespace kelda::server::testing {
namespace {

class Product : public ServerTest {
 protected:
  // The first product id the query finds in the seeded catalogue.
  static std::string find(const std::string& sql) {
    auto db = server().server().state().pool.acquire();
    auto& st = db->prepare(sql);
    return st.step() ? std::to_string(st.integer(0)) : std::string();
  }
};

TEST_F(Product, SimpleProductCarriesEveryKeyThePageReads) {
  const std::string id = find(
      "SELECT p.id FROM products p WHERE pdp_flag = 'SIMPLE' AND department_id = 118 AND "
      "(SELECT COUNT(DISTINCT size) FROM upcs WHERE product_id = p.id) > 1 AND "
      "(SELECT COUNT(DISTINCT colour) FROM upcs WHERE product_id = p.id) > 1 ORDER BY id");
  ASSERT_FALSE(id.empty());
  const Answer a =
      post("/product", "productId=" + id + "&categoryId=30200&categoryFlag=BROWSE_WHEEL");
  EXPECT_EQ(a.json["PDPFLAG"].str(), "SIMPLE");
  EXPECT_EQ(a.json["categoryFlag"].str(), "BROWSE_WHEEL");
  EXPECT_EQ(a.json["categoryId"].str(), "30200");
  const json::Value p = a.json["data"][0];
  EXPECT_EQ(p["prodId"].str(), id);
  for (const char* key : {"prodName", "prodDesc", "newPrice", "oldPrice", "priceTypeFlag",
                          "imageSource", "imageSourceDetail"}) {
    EXPECT_TRUE(p[key].isString()) << key;
  }
  for (const char* key : {"rating", "reviewCount", "available", "maxQuantity"})
    EXPECT_TRUE(p[key].isNumber()) << key;
  for (const char* key : {"shippingReturnText", "attributes", "additionalImagesThumbnail",
                          "additionalImages", "swatches", "additionalImagesSwatch"}) {
    EXPECT_TRUE(p[key].isArray()) << key;
  }
  EXPECT_EQ(a.json["prodAttrKey"][0].str(), "SIZE");
  EXPECT_EQ(a.json["prodAttrKey"][1].str(), "COLOR");
  EXPECT_EQ(a.json["prod_attributes"][0]["prodAttrName"].str(), "SIZE");
  EXPECT_GT(a.json["prod_attributes"][0]["prodAttrValue"].size(), 1u);
  EXPECT_TRUE(a.json["CLICK_TO_CALL"].str() == "Y" || a.json["CLICK_TO_CALL"].str() == "N");
  EXPECT_FALSE(a.json["shippingMethodCodeValues"].str().empty());
  EXPECT_TRUE(a.json["excludedStateCodeValues"].isString());
}

TEST_F(Product, EveryChoiceMapsToAUpcWithItsOrderAttributes) {
  const std::string id =
      find("SELECT id FROM products WHERE department_id = 118 AND pdp_flag = 'SIMPLE' ORDER BY id");
  const Answer a = post("/product", "productId=" + id + "&categoryId=&categoryFlag=SEARCH");
  const json::Value mapper = a.json["UPCMapper"], checker = a.json["UPCAvailabilityChecker"];
  ASSERT_GT(mapper.size(), 0u);
  EXPECT_EQ(mapper.size(), checker.size());
  for (auto [key, upc] : mapper.members()) {
    // colour-size-type-prodId; women's wear has no type, so the third part is empty.
    EXPECT_NE(std::string(key).find("--" + id), std::string::npos) << key;
    const json::Value facts = checker[upc.text()];
    ASSERT_TRUE(facts.isObject()) << upc.str();
    EXPECT_TRUE(facts["Available"].isNumber());
    EXPECT_TRUE(facts["InStoreEligibilityFlag"].isNumber());
    const json::Value attr = facts["itemBOAttr"];
    EXPECT_EQ(attr["setUpcID"].str(), upc.str());
    EXPECT_EQ(attr["setProductID"].str(), id);
    EXPECT_EQ(attr["setUpcNumber"].str().size(), 12u);
    for (const char* k : {"setProductTaxwareCode", "setCustomPrice", "setSurchargeFee",
                          "setBaseFeeExempt", "setOrderMethod", "setAddByApp", "setFobFeeFlag"}) {
      EXPECT_TRUE(attr[k].isString()) << k;
    }
  }
}

TEST_F(Product, ReviewPagesNameTheNextPageAndEndAfterTheLast) {
  const std::string id =
      find("SELECT id FROM products WHERE review_count BETWEEN 21 AND 29 ORDER BY id");
  ASSERT_FALSE(id.empty());
  Answer a = post("/product", "productId=" + id + "&categoryId=1&categoryFlag=SEARCH");
  const long long count = a.json["data"][0]["reviewCount"].intValue();
  EXPECT_EQ(a.json["data"][0]["total_pages"].intValue(), 3);
  EXPECT_EQ(a.json["data"][0]["reviewPageLimit"].intValue(), 10);
  long long shown = 0;
  std::vector<std::string> titles;
  while (a.json["data"][0]["reviewPageNumber"].intValue() <= 3) {
    shown += static_cast<long long>(a.json["reviews"].size());
    for (json::Value r : a.json["reviews"].items()) {
      titles.push_back(r["reviewTitle"].str());
      EXPECT_TRUE(r["reviewRating"].isNumber());
      EXPECT_FALSE(r["reviewer"].str().empty());
    }
    a = post("/product", "productId=" + id +
                             "&reviewPageNumber=" + a.json["data"][0]["reviewPageNumber"].str());
  }
  shown += static_cast<long long>(a.json["reviews"].size());
  EXPECT_EQ(shown, count);
  EXPECT_EQ(a.json["data"][0]["reviewPageNumber"].intValue(), 4);
  // The same page twice gives the same reviews (they derive from the seed).
  EXPECT_EQ(post("/product", "productId=" + id).json["reviews"],
            post("/product", "productId=" + id).json["reviews"]);
}

TEST_F(Product, CollectionsListTheirChildrenPlainOrByTab) {
  const Answer item =
      post("/product", "productId=" + find("SELECT id FROM products WHERE pdp_flag = 'ITEM'"));
  EXPECT_EQ(item.json["PDPFLAG"].str(), "ITEM");
  ASSERT_GT(item.json["childProducts"].size(), 0u);
  const json::Value child = item.json["childProducts"][0];
  for (const char* k :
       {"childProductId", "childProductName", "childProductsalePrice", "childImageSource"}) {
    EXPECT_TRUE(child[k].isString()) << k;
  }
  EXPECT_EQ(post("/product", "productId=" + child["childProductId"].str()).json["PDPFLAG"].str(),
            "SIMPLE");
  const Answer tab =
      post("/product", "productId=" + find("SELECT id FROM products WHERE pdp_flag = 'TAB'"));
  EXPECT_EQ(tab.json["PDPFLAG"].str(), "TAB");
  ASSERT_GT(tab.json["pdpTabName"].size(), 0u);
  for (json::Value name : tab.json["pdpTabName"].items())
    EXPECT_TRUE(tab.json["childProducts"][name.text()].isArray());
  EXPECT_TRUE(tab.json["attributes"].isArray());
}

TEST_F(Product, UnknownProductsGiveNoPageKind) {
  for (const char* body :
       {"productId=1", "productId=", "productId=100001%27%20OR%201=1", "reviewPageNumber=2"}) {
    const Answer a = post("/product", body);
    EXPECT_EQ(a.status, 200);
    EXPECT_FALSE(a.json.contains("PDPFLAG")) << body;
    EXPECT_FALSE(a.json["errorMsg"].str().empty());
  }
}

TEST_F(Product, PicturesArePngsOfTheProduct) {
  const Answer small = server().get("/images/product/100001.png");
  EXPECT_EQ(small.status, 200);
  EXPECT_EQ(small.contentType, "image/png");
  EXPECT_EQ(small.body.substr(0, 4), "\x89PNG");
  EXPECT_EQ(server().get("/images/product/100001.png?size=large&color=Red").contentType,
            "image/png");
  EXPECT_EQ(server().get("/images/product/1.png").status, 404);
}

}  // namespace
}  // namespace kelda::server::testing

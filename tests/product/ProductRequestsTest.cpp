#include <gtest/gtest.h>

#include <string>

#include "gateway/TarnObjects.hpp"
#include "product/ProductRequests.hpp"
#include "support/ClientFixture.hpp"

namespace kelda::product {
namespace {

using gateway::RequestStatus;
using gateway::TarnObjects;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

std::vector<std::string> texts(const json::Value& array) {
  std::vector<std::string> out;
  for (json::Value item : array.items()) out.push_back(item.str());
  return out;
}

class ProductRequest : public test::ClientFixture {};

TEST_F(ProductRequest, StoresTheAnswerAndDerivesTheChoiceLists) {
  server().answer("/product", R"({"PDPFLAG":"SIMPLE","categoryFlag":"SEARCH","categoryId":"",
    "data":[{"prodId":"77","prodName":"Tee","maxQuantity":"3"}],
    "prodAttrKey":["SIZE","COLOR"],
    "prod_attributes":[{"prodAttrName":"SIZE","prodAttrValue":["S","M"]},
                       {"prodAttrName":"COLOR","prodAttrValue":["Red"]},
                       {"prodAttrName":"WIDTH","prodAttrValue":["W"]}]})");
  state().setTypeArray(json::Value::array({"old"}));
  ProductRequests::resultForProductDescription("77", "118", "BROWSE_WHEEL");
  runUntilIdle();
  auto request = server().lastRequest("/product");
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->body, "productId=77&categoryId=118&categoryFlag=BROWSE_WHEEL");
  EXPECT_EQ(state().productDescriptionList()["data"][std::size_t{0}]["prodName"].str(), "Tee");
  EXPECT_EQ(state().categoryFlag().str(), "SEARCH");
  EXPECT_EQ(state().coreMetricsCategoryId().str(), "");
  EXPECT_EQ(texts(state().sizeArray()), (std::vector<std::string>{"S", "M"}));
  EXPECT_EQ(texts(state().colorArray()), (std::vector<std::string>{"Red"}));
  EXPECT_TRUE(state().typeArray().isAbsent());
  EXPECT_EQ(texts(state().prodAtrributeArray()), (std::vector<std::string>{"SIZE", "COLOR"}));
  EXPECT_EQ(texts(state().qtyArray()), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_TRUE(state().collectionProductDescriptionList().isAbsent());
  EXPECT_TRUE(state().tabCollectionProductDescriptionList().isAbsent());
}

TEST_F(ProductRequest, CollectionKindsAreKeptApart) {
  server().answer("/product", R"({"PDPFLAG":"ITEM","data":[{"prodId":"1"}]})");
  ProductRequests::resultForProductDescription("1", "", "SEARCH");
  EXPECT_EQ(state().collectionProductDescriptionList()["PDPFLAG"].str(), "ITEM");
  server().answer("/product", R"({"PDPFLAG":"TAB","data":[{"prodId":"2"}]})");
  ProductRequests::resultForProductDescription("2", "", "SEARCH");
  EXPECT_EQ(state().tabCollectionProductDescriptionList()["PDPFLAG"].str(), "TAB");
  EXPECT_EQ(state().collectionProductDescriptionList()["PDPFLAG"].str(), "ITEM");
  runUntilIdle();
}

TEST_F(ProductRequest, QuantityListIsBoundedAndNeverNegative) {
  server().answer("/product", R"({"PDPFLAG":"SIMPLE","data":[{"maxQuantity":"2000000000"}]})");
  ProductRequests::resultForProductDescription("1", "", "SEARCH");
  EXPECT_EQ(state().qtyArray().size(), 999u);
  EXPECT_EQ(state().qtyArray()[std::size_t{998}].str(), "999");
  server().answer("/product", R"({"PDPFLAG":"SIMPLE","data":[{"maxQuantity":-4}]})");
  ProductRequests::resultForProductDescription("1", "", "SEARCH");
  EXPECT_EQ(state().qtyArray().size(), 0u);
  // No answer at all: the request says so and the earlier answer stays as it was.
  const json::Value earlier = state().productDescriptionList();
  server().answer("/product", test::FakeAnswer{"", 500});
  EXPECT_EQ(ProductRequests::resultForProductDescription("2", "", "SEARCH"), RequestStatus::Failed);
  EXPECT_EQ(state().productDescriptionList(), earlier);
  forceReachability(platform::ForcedReachability::None);
  EXPECT_EQ(ProductRequests::resultForProductDescription("3", "", "SEARCH"),
            RequestStatus::NotSent);
  EXPECT_EQ(state().productDescriptionList(), earlier);
  runUntilIdle();
}

TEST_F(ProductRequest, AnAnswerWithoutAProductIsNotStored) {
  server().answer("/product", R"({"PDPFLAG":"SIMPLE","data":[{"prodId":"1","prodName":"Tee"}]})");
  ASSERT_EQ(ProductRequests::resultForProductDescription("1", "", "SEARCH"),
            RequestStatus::Answered);
  const json::Value shown = state().productDescriptionList();
  for (const char* answer :
       {R"({"data":[],"error":true,"errorMsg":"Unknown product"})", R"({"PDPFLAG":"SIMPLE"})",
        R"({"PDPFLAG":"SIMPLE","data":["x"]})", R"([{"prodId":"2"}])"}) {
    server().answer("/product", answer);
    EXPECT_EQ(ProductRequests::resultForProductDescription("2", "", "SEARCH"),
              RequestStatus::Failed)
        << answer;
    EXPECT_EQ(state().productDescriptionList(), shown) << answer;
  }
  runUntilIdle();
}

TEST_F(ProductRequest, ReviewPagesReplaceTheAnswerOnlyWhenOneArrives) {
  server().answer("/product", R"({"PDPFLAG":"SIMPLE","data":[{"prodId":"77","maxQuantity":2}],
    "prod_attributes":[{"prodAttrName":"SIZE","prodAttrValue":["S"]}]})");
  ProductRequests::resultForProductDescription("77", "", "SEARCH");
  server().answer("/product", R"({"PDPFLAG":"SIMPLE","data":[{"prodId":"77","reviewPageNumber":3}],
    "reviews":[{"reviewTitle":"Nice"}],
    "prod_attributes":[{"prodAttrName":"COLOR","prodAttrValue":["Red"]}]})");
  EXPECT_EQ(ProductRequests::resultForLoadMoreReviewsProductDescription("2"),
            RequestStatus::Answered);
  EXPECT_EQ(server().lastRequest("/product")->body, "productId=77&reviewPageNumber=2");
  EXPECT_EQ(state().productDescriptionList()["reviews"][0]["reviewTitle"].str(), "Nice");
  EXPECT_TRUE(state().sizeArray().isAbsent());
  EXPECT_EQ(texts(state().colorArray()), (std::vector<std::string>{"Red"}));
  EXPECT_EQ(texts(state().qtyArray()), (std::vector<std::string>{"1", "2"}));

  // A page that does not come, or comes without the product, keeps the shown product.
  const json::Value shown = state().productDescriptionList();
  for (test::FakeAnswer failure : {test::FakeAnswer{"", 500}, test::FakeAnswer{"<html>", 200},
                                   test::FakeAnswer{R"({"reviews":[]})", 200}}) {
    server().answer("/product", failure);
    EXPECT_EQ(ProductRequests::resultForLoadMoreReviewsProductDescription("3"),
              RequestStatus::Failed);
    EXPECT_EQ(state().productDescriptionList(), shown);
    EXPECT_EQ(texts(state().colorArray()), (std::vector<std::string>{"Red"}));
  }
  runUntilIdle();
}

}  // namespace
}  // namespace kelda::product

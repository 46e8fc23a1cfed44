#include <gtest/gtest.h>

#include <string>

#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "support/ClientFixture.hpp"

namespace kelda::catalogue {
namespace {

using gateway::TarnObjects;
using gateway::TarnServerAPIs;

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
  TarnServerAPIs::sharedInstance().resultForProductDescription("77", "118", "BROWSE_WHEEL");
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
  TarnServerAPIs::sharedInstance().resultForProductDescription("1", "", "SEARCH");
  EXPECT_EQ(state().collectionProductDescriptionList()["PDPFLAG"].str(), "ITEM");
  server().answer("/product", R"({"PDPFLAG":"TAB","data":[{"prodId":"2"}]})");
  TarnServerAPIs::sharedInstance().resultForProductDescription("2", "", "SEARCH");
  EXPECT_EQ(state().tabCollectionProductDescriptionList()["PDPFLAG"].str(), "TAB");
  EXPECT_EQ(state().collectionProductDescriptionList()["PDPFLAG"].str(), "ITEM");
  runUntilIdle();
}

TEST_F(ProductRequest, QuantityListIsBoundedAndNeverNegative) {
  server().answer("/product", R"({"PDPFLAG":"SIMPLE","data":[{"maxQuantity":"2000000000"}]})");
  TarnServerAPIs::sharedInstance().resultForProductDescription("1", "", "SEARCH");
  EXPECT_EQ(state().qtyArray().size(), 999u);
  EXPECT_EQ(state().qtyArray()[std::size_t{998}].str(), "999");
  server().answer("/product", R"({"PDPFLAG":"SIMPLE","data":[{"maxQuantity":-4}]})");
  TarnServerAPIs::sharedInstance().resultForProductDescription("1", "", "SEARCH");
  EXPECT_EQ(state().qtyArray().size(), 0u);
  // No answer at all: nothing stored, no choices, no crash.
  server().answer("/product", test::FakeAnswer{"", 500});
  TarnServerAPIs::sharedInstance().resultForProductDescription("1", "", "SEARCH");
  EXPECT_TRUE(state().productDescriptionList().isAbsent());
  EXPECT_EQ(state().qtyArray().size(), 0u);
  runUntilIdle();
}

}  // namespace
}  // namespace kelda::catalogue

// The bag store's operations: what an add stores, fetch order, quantity changes and merges,
// deletion, totals and the two serialisations with their exact JSON texts.
#include <gtest/gtest.h>

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "bag/CoreDataHandler.hpp"
#include "bag/ViewBagData.hpp"
#include "bagstore/BagTestSupport.hpp"

namespace kelda::test {
namespace {

using bag::CoreDataHandler;
using bag::ViewBagData;

class BagStoreTest : public BagFixture {
 protected:
  CoreDataHandler& store() { return CoreDataHandler::sharedCoreDataHandler(); }
  std::vector<std::string> upcOrder() {
    store().fetchExistingBagItems();
    std::vector<std::string> upcs;
    for (const auto& line : store().fetchBagItemsArray())
      upcs.push_back(line.setUpcID.value_or("-"));
    return upcs;
  }
};

TEST_F(BagStoreTest, AddFillsEveryAttributeFromTheProductAnswerAndTheChoice) {
  ASSERT_TRUE(addToBag("700", "2", "19.99"));
  ASSERT_EQ(store().fetchExistingBagItems(), 1);
  const auto line = store().fetchBagItemsArray().at(0);
  EXPECT_EQ(line.setShippingOptions, "G,P");
  EXPECT_EQ(line.setExcludedStatesCode, "AK,HI");
  EXPECT_EQ(line.setCategoryFlag, "SEARCH");
  EXPECT_EQ(line.setCategoryId, "cat-9");
  EXPECT_EQ(line.setMaxQuantity, "12");
  EXPECT_EQ(line.setPDPProductId, "777");
  EXPECT_EQ(line.setFobFeeFlag, "F");
  EXPECT_EQ(line.setProductId, "4242");
  EXPECT_EQ(line.setProductTaxwareCode, "TX7");
  EXPECT_EQ(line.setSurchargeFee, "1.50");
  EXPECT_EQ(line.setProductName, "Silk Dress");
  EXPECT_EQ(line.setBaseFeeExempt, "N");
  EXPECT_EQ(line.setOrderMethod, "SHIP");
  EXPECT_EQ(line.setAddByApp, "Y");
  EXPECT_EQ(line.setSize, "M");
  EXPECT_EQ(line.setColor, "Red");
  EXPECT_EQ(line.setPrice, "19.99");
  EXPECT_EQ(line.setCustomPrice, "0.00");
  EXPECT_EQ(line.setUpcNumber, "0001700");
  EXPECT_EQ(line.setUpcID, "700");
  EXPECT_EQ(line.setQuantity, "2");
  EXPECT_EQ(line.setLineId, "1");
  EXPECT_EQ(line.setCartItemSequenceNumber, "1");
  // The analytics context is used up by the add.
  auto& state = gateway::TarnObjects::sharedInstance();
  EXPECT_EQ(state.categoryFlag(), json::Value(""));
  EXPECT_EQ(state.coreMetricsCategoryId(), json::Value(""));
  EXPECT_TRUE(alertMessages().empty());
}

TEST_F(BagStoreTest, AbsentProductValuesAreStoredAsNullTextOrLeftMissing) {
  auto& state = gateway::TarnObjects::sharedInstance();
  json::Value product = productAnswer("5").without("excludedStateCodeValues");
  json::Value data =
      product["data"][0].without("maxQuantity").with("prodName", json::Value(nullptr));
  state.setProductDescriptionList(product.with("data", json::Value::array({data})));
  ASSERT_TRUE(store().addNewRowInEntityWithObject("5", "1", "3.00", std::nullopt, std::nullopt));
  store().fetchExistingBagItems();
  const auto line = store().fetchBagItemsArray().at(0);
  EXPECT_EQ(line.setExcludedStatesCode, "(null)");
  EXPECT_EQ(line.setCategoryFlag, "(null)");  // nothing was set on the shared state
  EXPECT_EQ(line.setMaxQuantity, "0");
  EXPECT_EQ(line.setProductName, std::nullopt);
  EXPECT_EQ(line.setColor, std::nullopt);
  // A line whose name is missing still shows every field it has.
  EXPECT_FALSE(line.bagRecord().contains("Title"));
  EXPECT_EQ(line.bagRecord()["Quantity"], json::Value("1"));
}

TEST_F(BagStoreTest, AddRefusesAMissingOrEmptySelection) {
  EXPECT_FALSE(store().addNewRowInEntityWithObject("1", std::nullopt, "2.00", "Red", "M"));
  EXPECT_FALSE(store().addNewRowInEntityWithObject(std::nullopt, "1", "2.00", "Red", "M"));
  runUntilIdle();
  EXPECT_EQ(
      alertMessages(),
      (std::vector<std::string>(
          2, "Unable to add Item. Please check you have selected: size, color and quantity")));
  EXPECT_EQ(ui::Window::shared().alerts().at(0).title, "");
  EXPECT_EQ(ui::Window::shared().alerts().at(0).buttons, std::vector<std::string>{"OK"});
  EXPECT_FALSE(store().addNewRowInEntityWithObject("1", "", "2.00", "Red", "M"));
  runUntilIdle();
  EXPECT_EQ(alertMessages().size(), 2u);  // an empty value is refused silently
  EXPECT_EQ(store().fetchExistingBagItems(), 0);
}

TEST_F(BagStoreTest, FetchSortsByUpcIdDescendingAsBytes) {
  for (const char* upc : {"10", "9", "100", "A", "a", "09"}) ASSERT_TRUE(addToBag(upc));
  EXPECT_EQ(upcOrder(), (std::vector<std::string>{"a", "A", "9", "100", "10", "09"}));
}

TEST_F(BagStoreTest, NewLineNumberFollowsTheLastFetch) {
  ASSERT_TRUE(addToBag("1"));
  ASSERT_TRUE(addToBag("2"));  // no fetch in between: the same number again
  store().fetchExistingBagItems();
  ASSERT_TRUE(addToBag("3"));
  store().fetchExistingBagItems();
  std::vector<std::string> numbers;
  for (const auto& line : store().fetchBagItemsArray()) numbers.push_back(*line.setLineId);
  EXPECT_EQ(numbers, (std::vector<std::string>{"3", "1", "1"}));
}

TEST_F(BagStoreTest, SecondAddOfAUpcRaisesThatLinesQuantity) {
  ASSERT_TRUE(addToBag("20", "1"));
  ASSERT_TRUE(addToBag("30", "4"));
  // The add-to-bag flow: fetch, find the line of the UPC, add the quantity to it.
  store().fetchExistingBagItems();
  ASSERT_TRUE(store().isExistingBagContainsId(std::string("20")));
  EXPECT_FALSE(store().isExistingBagContainsId(std::string("2")));
  EXPECT_FALSE(store().isExistingBagContainsId(std::nullopt));
  auto lines = store().fetchBagItemsArray();
  std::size_t position = lines[0].setUpcID == "20" ? 0 : 1;
  ASSERT_TRUE(store().updateQuantityItemToBag(std::string("2"), position));
  EXPECT_EQ(store().fetchExistingBagItems(), 2);
  EXPECT_EQ(store().fetchBagItemsArray()[position].setQuantity, "3");
  std::mutex lock;
  EXPECT_EQ(store().totalQuantityInBag(lock), 7);
}

TEST_F(BagStoreTest, QuantityOperationsReadLeadingIntegersAndIgnoreBadPositions) {
  ASSERT_TRUE(addToBag("1", "3abc"));
  store().fetchExistingBagItems();
  ASSERT_TRUE(store().updateQuantityItemToBag(std::string(" 2 pairs"), 0));
  store().fetchExistingBagItems();
  EXPECT_EQ(store().fetchBagItemsArray()[0].setQuantity, "5");
  ASSERT_TRUE(store().updateBagQuantityToQuantity(std::string("x"), 0));
  store().fetchExistingBagItems();
  EXPECT_EQ(store().fetchBagItemsArray()[0].setQuantity, "0");
  ASSERT_TRUE(store().updateBagQuantityToQuantity(std::string("07"), 0));
  store().fetchExistingBagItems();
  EXPECT_EQ(store().fetchBagItemsArray()[0].setQuantity, "7");
  EXPECT_FALSE(store().updateBagQuantityToQuantity(std::nullopt, 0));
  EXPECT_FALSE(store().updateBagQuantityToQuantity(std::string("2"), 1));
  EXPECT_FALSE(store().updateQuantityItemToBag(std::string("2"), 99));
  EXPECT_FALSE(store().deleteBagItemAtIndex(5));
  store().fetchExistingBagItems();
  EXPECT_EQ(store().fetchBagItemsArray()[0].setQuantity, "7");
  runUntilIdle();
  EXPECT_TRUE(alertMessages().empty());
}

TEST_F(BagStoreTest, TotalsOfAnEmptyAndAFilledBag) {
  std::mutex lock;
  EXPECT_EQ(store().fetchExistingBagItems(), 0);
  EXPECT_EQ(store().totalQuantityInBag(lock), 0);
  ASSERT_TRUE(addToBag("1", "2"));
  ASSERT_TRUE(addToBag("2", "junk"));
  ASSERT_TRUE(addToBag("3", "5"));
  EXPECT_EQ(store().totalQuantityInBag(lock), 7);
  EXPECT_EQ(store().fetchBagItemsArray().size(), 3u);  // the total fetches afresh
  EXPECT_TRUE(lock.try_lock());                        // and releases the caller's lock
  lock.unlock();
}

TEST_F(BagStoreTest, DeletingLinesAndTheWholeBag) {
  for (const char* upc : {"3", "2", "1"}) ASSERT_TRUE(addToBag(upc));
  store().fetchExistingBagItems();
  ASSERT_TRUE(store().deleteBagItemAtIndex(0));
  EXPECT_EQ(upcOrder(), (std::vector<std::string>{"2", "1"}));
  EXPECT_FALSE(store().deleteAllObjects("SomethingElse"));
  EXPECT_EQ(store().fetchExistingBagItems(), 2);
  ASSERT_TRUE(store().deleteAllObjects("AddToBagItemAttribute"));
  EXPECT_EQ(store().fetchExistingBagItems(), 0);
}

TEST_F(BagStoreTest, BagRecordLeavesOutOnlyTheMissingFields) {
  ASSERT_TRUE(addToBag("8", "2", "5.00"));
  store().fetchExistingBagItems();
  auto line = store().fetchBagItemsArray().at(0);
  json::Value record = line.bagRecord();
  std::vector<std::string> keys;
  for (auto [key, value] : record.members()) keys.emplace_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{
                      "Title", "Quantity", "Price", "Color", "Size", "MaxQuantity", "PDPProductId",
                      "UpcId", "setItemSequenceNumber", "ExcludedStatesCode", "ShippingOptions",
                      "UpcNumber", "CategroyId", "CategroyFlag"}));
  EXPECT_EQ(record["CategroyFlag"], json::Value("SEARCH"));
  line.setColor.reset();
  EXPECT_FALSE(line.bagRecord().contains("Color"));
  EXPECT_EQ(line.bagRecord()["Size"], record["Size"]);
  EXPECT_EQ(line.bagRecord().size(), 13u);
}

class BagSerialisationTest : public BagStoreTest {
 protected:
  ViewBagData& viewBag() { return ViewBagData::sharedViewBagDataObject(); }
};

TEST_F(BagSerialisationTest, OrderLinesCarryTheirPresentPositions) {
  for (const char* upc : {"3", "2", "1"}) ASSERT_TRUE(addToBag(upc));
  store().fetchExistingBagItems();
  ASSERT_TRUE(store().deleteBagItemAtIndex(0));  // line "3"
  store().setItemBOAttrRequestParameterForCheckout();
  const char* line =
      R"({"setUpcID":"%1","setUpcNumber":"0001%1","setProductId":"4242","setAddByApp":"Y",)"
      R"("setBaseFeeExempt":"N","setSurchargeFee":"1.50","setOrderMethod":"SHIP",)"
      R"("setProductTaxwareCode":"TX7","setLineId":"%2","setItemSequenceNumber":"%2",)"
      R"("setCustomPrice":"0.00","setPrice":"19.99","setQuantity":"1","setFobFeeFlag":"F"})";
  auto fill = [&](const std::string& upc, const std::string& number) {
    std::string text = line;
    for (auto [mark, value] : {std::pair{"%1", upc}, std::pair{"%2", number}}) {
      for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark)) {
        text.replace(at, 2, value);
      }
    }
    return text;
  };
  EXPECT_EQ(viewBag().itemBOAttrJSON(), "[" + fill("2", "1") + "," + fill("1", "2") + "]");
  // The stored numbers stay as they were at creation.
  for (const auto& stored : store().fetchBagItemsArray()) EXPECT_EQ(stored.setLineId, "1");
}

TEST_F(BagSerialisationTest, AnalyticsLinesInTheirOwnKeyOrder) {
  ASSERT_TRUE(addToBag("9", "2", "5.00"));
  store().setItemBOAttrRequestParameterForCheckout1();
  EXPECT_EQ(viewBag().shopAction5TagAttrJSON(),
            R"([{"categoryFlag":"SEARCH","categoryId":"cat-9","productQty":"2",)"
            R"("productPrice":"5.00","productId":"4242","productName":"Silk Dress"}])");
}

TEST_F(BagSerialisationTest, AnOrderLineLeavesOutOnlyItsMissingValue) {
  auto& state = gateway::TarnObjects::sharedInstance();
  // Line "2": no "setAddByApp" from the server; every other value is still sent.
  json::Value product = productAnswer("2");
  json::Value itemBO = product["UPCAvailabilityChecker"]["2"]["itemBOAttr"].without("setAddByApp");
  state.setProductDescriptionList(
      product.with("UPCAvailabilityChecker",
                   json::Value::object({{"2", json::Value::object({{"itemBOAttr", itemBO}})}})));
  ASSERT_TRUE(store().addNewRowInEntityWithObject("2", "1", "1.00", "Red", "M"));
  ASSERT_TRUE(addToBag("1"));
  store().setItemBOAttrRequestParameterForCheckout();
  const json::Value sent = viewBag().itemBOAttributeArray()[0];
  EXPECT_FALSE(sent.contains("setAddByApp"));
  EXPECT_EQ(sent.size(), 13u);
  EXPECT_EQ(sent["setFobFeeFlag"], json::Value("F"));
  EXPECT_EQ(viewBag().itemBOAttributeArray().size(), 2u);
}

TEST_F(BagSerialisationTest, AnEmptyBagKeepsThePreviousArrays) {
  ASSERT_TRUE(addToBag("4"));
  store().setItemBOAttrRequestParameterForCheckout();
  store().setItemBOAttrRequestParameterForCheckout1();
  json::Value orders = viewBag().itemBOAttributeArray();
  json::Value tags = viewBag().shopActionTagAttrArray();
  ASSERT_TRUE(store().deleteAllObjects("AddToBagItemAttribute"));
  store().setItemBOAttrRequestParameterForCheckout();
  store().setItemBOAttrRequestParameterForCheckout1();
  EXPECT_EQ(viewBag().itemBOAttributeArray(), orders);
  EXPECT_EQ(viewBag().shopActionTagAttrArray(), tags);
  EXPECT_EQ(ViewBagData().itemBOAttrJSON(), std::nullopt);  // never built: nothing to send
}

}  // namespace
}  // namespace kelda::test

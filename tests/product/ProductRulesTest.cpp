// The product page's rules on their own: price lines, cut texts, the choice checks, the UPC
// mapper key and the article's facts and price, the call address.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "json/SBJson.hpp"
#include "product/ArticleFacts.hpp"
#include "product/CallLink.hpp"
#include "product/ProductChoice.hpp"
#include "product/ProductPrices.hpp"
#include "product/TextCut.hpp"

namespace kelda::product {
namespace {

json::Value product(const std::string& flag, const std::string& newPrice,
                    const std::string& oldPrice) {
  return json::Value::object(
      {{"priceTypeFlag", flag}, {"newPrice", newPrice}, {"oldPrice", oldPrice}});
}

TEST(ProductPricesRule, WordsFollowTheFlag) {
  struct Case {
    const char* flag;
    const char* newPrice;
    std::optional<std::string> newLine;
    std::optional<std::string> oldLine;
    bool everydayValue;
  };
  const Case cases[] = {
      {"REG-SALE", "19.99", "sale $19.99", "reg $40.00", false},
      {"ORG-NOW", "19.99", "Current $19.99", "Original $40.00", false},
      {"WAS-NOW-SPECIAL", "19.99", "special $19.99", "was $40.00", false},
      {"REG-SALE", "", std::nullopt, "reg $40.00", false},
      {"NOVERBAGE", "19.99", std::nullopt, "$40.00", false},
      {"EDV", "19.99", std::nullopt, "$40.00", true},
  };
  for (const Case& c : cases) {
    const ProductPrices prices = ProductPrices::forProduct(product(c.flag, c.newPrice, "40.00"));
    EXPECT_EQ(prices.newLine, c.newLine) << c.flag;
    EXPECT_EQ(prices.oldLine, c.oldLine) << c.flag;
    EXPECT_EQ(prices.everydayValue, c.everydayValue) << c.flag;
    EXPECT_EQ(prices.oldInRed, c.everydayValue) << c.flag;
  }
  // No former price: no bare "$" line.
  EXPECT_EQ(ProductPrices::forProduct(product("REG-SALE", "9.99", "")).oldLine, std::nullopt);
}

TEST(TextCutRule, LongTextsAreCutAtWholeCharacters) {
  EXPECT_EQ(cutText(std::string(18, 'a'), 18), std::string(18, 'a'));
  EXPECT_EQ(cutText(std::string(19, 'a'), 18), std::string(18, 'a') + "...");
  // "é" is one character of two bytes: 18 of them stay whole, 19 are cut after the 18th.
  std::string accents;
  for (int i = 0; i < 19; ++i) accents += "\xC3\xA9";
  EXPECT_EQ(cutText(accents.substr(0, 36), 18), accents.substr(0, 36));
  EXPECT_EQ(cutText(accents, 18), accents.substr(0, 36) + "...");
}

OfferedLists offered(std::vector<std::string> sizes, std::vector<std::string> colors,
                     std::vector<std::string> types) {
  return {std::move(sizes), std::move(colors), std::move(types), {"1", "2", "3"}};
}

TEST(ChoiceRule, ChecksComeInOrderWithTheirMessages) {
  const OfferedLists all = offered({"S", "M"}, {"Red", "Blue"}, {"Tall", "Short"});
  ProductChoice choice = ProductChoice::initialFor(all);
  const std::string bag = " for the item you are trying to add to bag";
  const std::string store = " for the item you are trying to find in-store.";
  auto message = [&](ChoicePurpose purpose) {
    return missingChoiceMessage(choice, all, purpose).value_or("");
  };
  EXPECT_EQ(message(ChoicePurpose::AddToBag), "Please ensure that you have selected a size" + bag);
  EXPECT_EQ(message(ChoicePurpose::FindInStore),
            "Please ensure that you have selected a size" + store);
  choice.size = "M";
  EXPECT_EQ(message(ChoicePurpose::AddToBag), "Please ensure that you have selected a color" + bag);
  EXPECT_EQ(message(ChoicePurpose::FindInStore),
            "Please ensure that you have selected a color" + store);
  choice.color = "Red";
  EXPECT_EQ(message(ChoicePurpose::AddToBag), "Please ensure that you have selected a type" + bag);
  EXPECT_EQ(message(ChoicePurpose::FindInStore),
            "Please ensure that you have selected a type" + store);
  choice.type = "Tall";
  EXPECT_EQ(message(ChoicePurpose::AddToBag),
            "Please ensure that you have selected a quantity" + bag);
  EXPECT_EQ(message(ChoicePurpose::FindInStore), "");
  choice.qty = "0";
  EXPECT_EQ(message(ChoicePurpose::AddToBag),
            "Please select Quantity of item,  you want to add in your bag");
  choice.qty = "2";
  EXPECT_EQ(message(ChoicePurpose::AddToBag), "");
  EXPECT_EQ(mapperKey(choice, "123"), "Red-M-Tall-123");
}

TEST(ChoiceRule, SingleValuesAreSettledAndMissingOnesAreEmptyInTheKey) {
  const OfferedLists one = offered({"One Size"}, {"Navy"}, {"W"});
  const ProductChoice settled = ProductChoice::initialFor(one);
  EXPECT_EQ(mapperKey(settled, "9"), "Navy-One Size-W-9");
  EXPECT_FALSE(settled.isChosen(ChoiceMode::Quantity));
  const OfferedLists noColors = offered({"S", "M"}, {}, {});
  ProductChoice sized = ProductChoice::initialFor(noColors);
  sized.size = "M";
  EXPECT_EQ(mapperKey(sized, "123"), "-M--123");
  EXPECT_TRUE(eligibilityDueAfter(ChoiceMode::Size, sized, noColors));
  const OfferedLists twoColors = offered({"S"}, {"A", "B"}, {});
  EXPECT_FALSE(
      eligibilityDueAfter(ChoiceMode::Size, ProductChoice::initialFor(twoColors), twoColors));
  EXPECT_FALSE(eligibilityDueAfter(ChoiceMode::Quantity, sized, noColors));
}

json::Value answerWith(const std::string& facts, const std::string& product) {
  return json::JSONValue(R"({"data":[)" + product +
                         R"(],"UPCMapper":{"Red-M--77":"900","Red-L--77":"<null>",
                            "Red-S--77":"901","Red-XS--77":902},
                         "UPCAvailabilityChecker":{"900":)" +
                         facts + R"(,"902":{"Available":1,"itemBOAttr":{"setUpcID":"902"}}}})");
}

TEST(ArticleRule, TheMapperAndTheFactsDecideAvailabilityAndPrice) {
  const std::string product = R"({"prodId":77,"newPrice":"19.99","oldPrice":"$40"})";
  ProductChoice choice;
  choice.color = "Red";
  choice.size = "M";
  struct Case {
    const char* facts;
    bool available;
    long long cents;
  };
  const Case cases[] = {
      {R"({"Available":1,"itemBOAttr":{"setUpcID":"900","setCustomPrice":"12.5"}})", true, 1250},
      // Single precision would make this 1234567.88.
      {R"({"Available":1,"itemBOAttr":{"setUpcID":"900","setCustomPrice":"1234567.89"}})", true,
       123456789},
      {R"({"Available":"1","itemBOAttr":{"setUpcID":"900","setCustomPrice":"0"}})", true, 1999},
      {R"({"Available":0,"itemBOAttr":{"setUpcID":"900"}})", false, 1999},
      {R"({"itemBOAttr":{"setUpcID":"900"}})", false, 1999},
      // Without the UPC ID an order line needs, the article cannot go into the bag.
      {R"({"Available":1,"itemBOAttr":{"setCustomPrice":"5"}})", false, 500},
  };
  for (const Case& c : cases) {
    auto article = ArticleFacts::find(answerWith(c.facts, product), choice);
    ASSERT_TRUE(article.has_value()) << c.facts;
    EXPECT_EQ(article->upcID(), "900");
    EXPECT_EQ(article->available(), c.available) << c.facts;
    EXPECT_EQ(article->unitPriceCents(), c.cents) << c.facts;
  }
  const std::string noNewPrice = R"({"prodId":77,"newPrice":"0","oldPrice":"$40"})";
  EXPECT_EQ(ArticleFacts::find(answerWith("{}", noNewPrice), choice)->unitPriceCents(), 4000);

  // A key the mapper lacks, or a UPC ID of "<null>": no article. A number is read as its text.
  choice.size = "XL";
  EXPECT_FALSE(ArticleFacts::find(answerWith("{}", product), choice).has_value());
  choice.size = "L";
  EXPECT_FALSE(ArticleFacts::find(answerWith("{}", product), choice).has_value());
  choice.size = "XS";
  ASSERT_TRUE(ArticleFacts::find(answerWith("{}", product), choice).has_value());
  EXPECT_TRUE(ArticleFacts::find(answerWith("{}", product), choice)->available());
  choice.size = "S";  // a UPC without facts
  EXPECT_FALSE(ArticleFacts::find(answerWith("{}", product), choice)->available());
}

TEST(CallRule, TheNumberCannotChangeTheAddress) {
  EXPECT_EQ(telURL("1-800-555-0199"), "tel://1-800-555-0199");
  EXPECT_EQ(telURL("555 0199/x?a=1"), "tel://555%200199%2Fx%3Fa%3D1");
}

}  // namespace
}  // namespace kelda::product

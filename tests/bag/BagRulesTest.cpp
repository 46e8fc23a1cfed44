// The bag's and checkout's rules on decoded values: the one shipping method of a bag, the
// availability notices, the exclusions, the security code and the masked card number.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "bag/BagRules.hpp"
#include "bag/CheckoutRules.hpp"
#include "json/SBJson.hpp"

namespace kelda::bag {
namespace {

json::Value records(const char* text) {
  return json::JSONValue(text);
}

TEST(BagRulesTest, OneShippingMethodRuleForEditModeAndCheckout) {
  const json::Value codes = json::JSONValue(R"({"Standard":"S1","Premium":"P1","Express":"E1"})");
  const json::Value twoLines =
      records(R"([{"UpcNumber":"A","ShippingOptions":"S1,P1"},{"UpcNumber":"B",)"
              R"("ShippingOptions":"P1,E1"}])");
  // The server's codes decide (not fixed letters): both lines share Premium.
  EXPECT_EQ(commonShippingMethod(twoLines, json::Value::object({}), codes), "Premium");
  // Without codes from the totals the usual letters are used.
  EXPECT_EQ(commonShippingMethod(records(R"([{"ShippingOptions":"G,O"},{"ShippingOptions":"O"}])"),
                                 json::Value::object({}), json::Value()),
            "Premium");
  // An order answer replaces a listed line's own options by its first available code.
  const json::Value order = json::JSONValue(
      R"({"upcAvailability":{"A":{"qtyAvailable":2}},"shippingMethodAvailability":{"A":["E1"]}})");
  EXPECT_EQ(commonShippingMethod(twoLines, order, codes), "Express");
  // No method in common.
  EXPECT_EQ(commonShippingMethod(records(R"([{"ShippingOptions":"S1"},{"ShippingOptions":"E1"}])"),
                                 json::Value::object({}), codes),
            std::nullopt);
}

TEST(BagRulesTest, AvailabilityNoticesNameTheMethodsAndTheQuantity) {
  const json::Value codes = json::JSONValue(R"({"Standard":"G","Premium":"O","Express":"2"})");
  const json::Value record = json::JSONValue(R"({"UpcNumber":"U1"})");
  auto order = [](const char* available) {
    return json::JSONValue(std::string(R"({"upcAvailability":{"U1":{"qtyAvailable":)") + available +
                           R"(}},"shippingMethodAvailability":{"U1":["G","X"]}})");
  };
  EXPECT_EQ(availabilityNotices(record, order("3"), codes),
            (std::vector<std::string>{"This item cannot be shipped to the given shipping address",
                                      "This item can shipped using StandardX",
                                      "There are currently 3 items available. Please update your "
                                      "qunatity"}));
  EXPECT_EQ(availabilityNotices(record, order("0"), codes)[2],
            "This item is no more available. Please delete this item");
  EXPECT_TRUE(
      availabilityNotices(json::JSONValue(R"({"UpcNumber":"U2"})"), order("3"), codes).empty());
}

TEST(BagRulesTest, ExclusionsByStateAndByMethod) {
  const json::Value bag =
      records(R"([{"Title":"Lamp","ExcludedStatesCode":"AK,ca","ShippingOptions":"G,O"},)"
              R"({"Title":"Rug","ExcludedStatesCode":"none","ShippingOptions":"G"},)"
              R"({"Title":"Vase","ExcludedStatesCode":"CA","ShippingOptions":"O,2"}])");
  EXPECT_EQ(json::JSONRepresentation(stateExcludedItems(bag, "CA")),
            R"([{"Title":"Lamp"},{"Title":"Vase"}])");
  EXPECT_TRUE(stateExcludedItems(bag, "").empty());
  EXPECT_EQ(json::JSONRepresentation(methodExcludedItems(bag, "O")), R"([{"Title":"Rug"}])");
}

TEST(BagRulesTest, SecurityCodeChecksInOrder) {
  const struct {
    const char* code;
    const char* message;
  } cases[] = {{"", kEmptySecurityCodeMessage},
               {"12", kSecurityCodeLengthMessage},
               {"12345", kSecurityCodeLengthMessage},
               {"12a", kSecurityCodeDigitsMessage},
               {"١٢٣", kSecurityCodeDigitsMessage},
               {"123", ""},
               {"1234", ""}};
  for (const auto& c : cases) EXPECT_EQ(securityCodeProblem(c.code), c.message) << c.code;
}

TEST(BagRulesTest, CardNumbersAreMaskedWhateverTheirLength) {
  EXPECT_EQ(maskedCardNumber("4111111111111111"), "************1111");
  EXPECT_EQ(maskedCardNumber("1234"), "************1234");
  EXPECT_EQ(maskedCardNumber("12"), "************");
  EXPECT_EQ(maskedCardNumber(""), "************");
}

}  // namespace
}  // namespace kelda::bag

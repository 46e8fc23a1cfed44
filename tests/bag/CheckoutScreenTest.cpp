// Checkout, the order confirmation and the exclusion screens against a fake middleware: the
// exact order bodies, the bag emptied only after a confirmed order, every other answer leaving
// the bag as it was, the "Edit My Bag" and batch flows, the time limit (ended whenever checkout
// is left, never cutting off a placed order), the method shown being the method charged, totals
// for the address the order ships to, and the state and method exclusions.
#include <chrono>
#include <string>

#include "account/MyAddressBookEditViewController.hpp"
#include "account/MyWalletViewController.hpp"
#include "bag/BagRequests.hpp"
#include "bag/BagScreenFixture.hpp"
#include "bag/CheckOutViewController.hpp"
#include "bag/CheckoutRules.hpp"
#include "bag/OrderConfirmationController.hpp"
#include "support/FakeMiddleware.hpp"

namespace kelda::test {
namespace {

using bag::CheckOutViewController;

class CheckoutScreenTest : public BagScreenFixture {
 protected:
  CheckOutViewController* checkout() { return bagScreen_->checkOutViewController().get(); }
  bool onConfirmation() { return dynamic_cast<bag::OrderConfirmationController*>(top()); }
};

constexpr const char* kLine =
    R"([{"setUpcID":"9","setUpcNumber":"U9","setProductId":"P9","setAddByApp":"Y",)"
    R"("setBaseFeeExempt":"N","setSurchargeFee":"0","setOrderMethod":"SHIP",)"
    R"("setProductTaxwareCode":"TX","setLineId":"1","setItemSequenceNumber":"1",)"
    R"("setCustomPrice":"0.00","setPrice":"19.99","setQuantity":"1","setFobFeeFlag":"N"}])";

TEST_F(CheckoutScreenTest, ASignedOutShopperIsSentBackToTheBag) {
  addLine("9", "Silk Dress");
  enterCheckout();
  ASSERT_NE(checkout(), nullptr);
  tap("nav.left");  // Previous: back to the bag
  gateway::GlobalFlags::shared().loginSuccessful = false;
  bagStack_->pushViewController(bagScreen_->checkOutViewController());
  runUntilIdle();
  EXPECT_EQ(top(), bagScreen_.get());
}

TEST_F(CheckoutScreenTest, APlacedOrderCarriesItsExactFieldsAndEmptiesTheBag) {
  addLine("9", "Silk Dress");
  state().setPromoCode("");
  enterCheckout();
  ASSERT_EQ(top(), checkout());
  // Checkout ships to the default address (San Francisco): the totals are asked for it.
  EXPECT_NE(server().lastRequest("/keldas_viewbag")->body.find("&contactId=12&"),
            std::string::npos);
  for (const char* part : {"9 Bay St", "(*) Standard", "$5.95", "5-7 days",
                           "shopping bag total: | $53.77", "[CONTINUE CHECKOUT]"}) {
    EXPECT_TRUE(shows(part)) << part << "\n" << screen();
  }
  tap("CONTINUE CHECKOUT");
  EXPECT_TRUE(shows("Card Number: | ************1111")) << screen();
  EXPECT_EQ(screen().find("4111111111111111"), std::string::npos);
  type("Security Code:", "12");
  tap("CONTINUE CHECKOUT");
  EXPECT_EQ(takeAlert(), bag::kSecurityCodeLengthMessage);
  type("Security Code:", "123");
  tap("CONTINUE CHECKOUT");
  for (const char* part :
       {"merchandise total: | $ 45.98", "shipping charges: | $ 5.95", "estimated taxes: | $ 1.84",
        "applied promo code: | $ 0.00", "total: | $53.77", "[CONFIRM ORDER]", "[CANCEL ORDER]"}) {
    EXPECT_TRUE(shows(part)) << part << "\n" << screen();
  }
  tap("CONFIRM ORDER");
  const std::string fields =
      std::string("itemBOAttr=") + kLine +
      "&cardId=31&contactId=12&orderNumber=0123456789&baseFee=45.98&shipmentFee=5.95"
      "&shippingMethod={\"code\":\"G\",\"description\":\"Standard\"}&orderTax=1.84"
      "&loginUserName=demo@kelda.test&loginPassword=kelda123";
  EXPECT_EQ(server().lastRequest("/keldas_prepareorder")->body,
            fields + "&securityCode=123&promoCode=");
  EXPECT_EQ(server().lastRequest("/keldas_processorder")->body,
            fields + "&orderReservationNumber=R-77&securityCode=123&promoCode=");
  ASSERT_TRUE(onConfirmation()) << screen();
  for (const char* part : {"C-1001", "Your order has been placed.", "merchandise total: | $ 45.98",
                           "shipping charges: | $ 5.95", "estimated taxes: | $1.84",
                           "total: | $53.77", "tab.2 [my bag (0)]"}) {
    EXPECT_TRUE(shows(part)) << part << "\n" << screen();
  }
  EXPECT_EQ(bagQuantity(), 0);
  EXPECT_FALSE(checkout()->timeLimitRunning());
  EXPECT_TRUE(state().orderConfirmationResult().isAbsent());
  EXPECT_TRUE(state().securityCode().str().empty());
  tap("HOME");
  EXPECT_EQ(tabs_->selectedIndex(), 0);
}

TEST_F(CheckoutScreenTest, AnOrderTheServerDidNotConfirmLeavesTheBagAsItWas) {
  const struct {
    const char* name;
    const char* path;
    FakeAnswer answer;
    const char* message;
  } cases[] = {
      {"order closed", "/keldas_processorder", FakeAnswer{.closeWithoutAnswer = true},
       bag::BagRequests::kUnexpectedErrorMessage},
      {"order 500", "/keldas_processorder",
       FakeAnswer{.body = R"({"success":0,"error":true,"errorMsg":"Internal server error"})",
                  .status = 500},
       ""},
      {"order not JSON", "/keldas_processorder",
       FakeAnswer{.body = "<html>", .contentType = "text/html"},
       bag::BagRequests::kUnexpectedErrorMessage},
      {"order refused", "/keldas_processorder",
       FakeAnswer{.body = R"({"success":0,"error":true,"errorMsg":"Card declined"})"},
       "Card declined"},
      {"order success unknown", "/keldas_processorder",
       FakeAnswer{.body = R"({"data":{"confirmationNumber":"C-9","paymentStatus":"OK"}})"},
       bag::BagRequests::kUnexpectedErrorMessage},
      {"reservation closed", "/keldas_prepareorder", FakeAnswer{.closeWithoutAnswer = true},
       bag::BagRequests::kUnexpectedErrorMessage},
  };
  addLine("9", "Silk Dress", "2");
  for (const auto& c : cases) {
    server().answer("/keldas_prepareorder",
                    R"({"success":1,"data":{"orderReservationNumber":"R-77"}})");
    server().answer("/keldas_processorder", kPlacedAnswer);
    server().answer(c.path, c.answer);
    enterCheckout();
    toSummary();
    tap("CONFIRM ORDER");
    const std::string message = takeAlert();
    if (*c.message != '\0') {
      EXPECT_EQ(message, c.message) << c.name;
    }
    EXPECT_EQ(bagQuantity(), 2) << c.name;
    EXPECT_FALSE(onConfirmation()) << c.name;
    EXPECT_EQ(checkout()->page(), CheckOutViewController::Page::Summary) << c.name;
    tap("CANCEL ORDER");
    EXPECT_EQ(top(), bagScreen_.get()) << c.name;
  }
}

TEST_F(CheckoutScreenTest, LinesTheServerCannotServeSendTheShopperBackToEditTheBag) {
  addLine("9", "Silk Dress", "4");
  server().answer("/keldas_processorder",
                  R"({"success":1,"data":{"confirmationNumber":"","paymentStatus":"",)"
                  R"("mode":"ONLINE"},"upcAvailability":{"U9":{"qtyAvailable":1}},)"
                  R"("shippingMethodAvailability":{"U9":["G"]}})");
  enterCheckout();
  toSummary();
  tap("CONFIRM ORDER");
  ASSERT_TRUE(shows(CheckOutViewController::kNotProcessedMessage)) << screen();
  act(ui::Actor(ui::Window::shared()).alertButton("Edit My Bag"));
  EXPECT_EQ(top(), bagScreen_.get());
  EXPECT_TRUE(bagScreen_->isEditing());
  EXPECT_EQ(bagQuantity(), 4);
  for (const char* notice :
       {"This item cannot be shipped to the given shipping address",
        "This item can shipped using Standard",
        "There are currently 1 items available. Please update your qunatity"}) {
    EXPECT_TRUE(shows(notice)) << notice << "\n" << screen();
  }
  EXPECT_FALSE(checkout()->timeLimitRunning());
}

TEST_F(CheckoutScreenTest, ABatchOrderEmptiesTheBagBeforeOkAndShowsOnlyTheThanks) {
  addLine("9", "Silk Dress");
  server().answer("/keldas_processorder",
                  R"({"success":1,"data":{"confirmationNumber":"","paymentStatus":"",)"
                  R"("mode":"BATCH","amountCharged":"612.00"}})");
  enterCheckout();
  toSummary();
  tap("CONFIRM ORDER");
  ASSERT_TRUE(shows(CheckOutViewController::kBatchMessage)) << screen();
  EXPECT_EQ(bagQuantity(), 0);
  act(ui::Actor(ui::Window::shared()).alertButton("Ok"));
  ASSERT_TRUE(onConfirmation());
  EXPECT_TRUE(shows("thank you for shopping with kelda's"));
  EXPECT_FALSE(shows("Your order number is:"));
  EXPECT_FALSE(shows("total:"));
}

TEST_F(CheckoutScreenTest, TheTimeLimitEndsCheckoutButNeverAPlacedOrder) {
  addLine("9", "Silk Dress");
  enterCheckout();
  advanceBy(std::chrono::seconds(CheckOutViewController::kTimeLimitSeconds));
  runUntilIdle();
  EXPECT_EQ(top(), bagScreen_.get());
  EXPECT_EQ(bagQuantity(), 1);

  // Leaving checkout ends its limit: a new checkout gets a whole one.
  enterCheckout();
  advanceBy(std::chrono::seconds(1000));
  tap("nav.left");
  enterCheckout();
  advanceBy(std::chrono::seconds(1000));
  runUntilIdle();
  EXPECT_EQ(top(), checkout());

  // The limit runs out while the order is on its way: the confirmed order stands.
  toSummary();
  server().answer("/keldas_processorder", FakeAnswer{.body = kPlacedAnswer, .hold = true});
  ASSERT_TRUE(ui::Actor(ui::Window::shared()).tap("CONFIRM ORDER").ok);
  // Virtual time moves on while the order's worker waits for its answer.
  clock().advance(std::chrono::seconds(CheckOutViewController::kTimeLimitSeconds));
  runLoop().runReady();
  EXPECT_EQ(top(), checkout());
  server().releaseHeld();
  runUntilIdle();
  EXPECT_TRUE(onConfirmation()) << screen();
  EXPECT_EQ(bagQuantity(), 0);
}

TEST_F(CheckoutScreenTest, TheMethodShownCheckedIsTheMethodCharged) {
  addLine("9", "Silk Dress");
  enterCheckout();
  tap("Express");
  EXPECT_TRUE(shows("shopping bag total: | $72.77")) << screen();
  tap("nav.left");
  // A second checkout starts on Standard, and charges Standard.
  enterCheckout();
  EXPECT_TRUE(shows("(*) Standard")) << screen();
  toSummary();
  EXPECT_TRUE(shows("shipping charges: | $ 5.95")) << screen();
  tap("CONFIRM ORDER");
  EXPECT_NE(server().lastRequest("/keldas_processorder")->body.find(R"("code":"G")"),
            std::string::npos);
}

TEST_F(CheckoutScreenTest, TheAddressBookAndTheWalletOpenFromCheckout) {
  addLine("9", "Silk Dress");
  enterCheckout();
  tap("Edit");
  EXPECT_TRUE(dynamic_cast<account::MyAddressBookEditViewController*>(top())) << screen();
  act(ui::Actor(ui::Window::shared()).back());
  EXPECT_EQ(top(), checkout());
  tap("CONTINUE CHECKOUT");
  tap("View All");
  EXPECT_TRUE(dynamic_cast<account::MyWalletViewController*>(top())) << screen();
}

TEST_F(CheckoutScreenTest, LinesThatCannotShipToTheStateOrByTheMethodAreListed) {
  addLine("9", "Beach Lamp", "1", "CA", "G,O");
  addLine("8", "Wool Rug", "1", "AK", "G");
  enterCheckout();  // to San Francisco
  tap("CONTINUE CHECKOUT");
  ASSERT_TRUE(shows("cannot be shipped to selected shipping address")) << screen();
  EXPECT_TRUE(shows("Beach Lamp"));
  EXPECT_FALSE(shows("Wool Rug"));
  tap("EDIT ADDRESS");
  EXPECT_EQ(top(), checkout());
  // Another address: the totals are asked for it, and the state no longer stops checkout.
  tap("row.0.0");
  act(ui::Actor(ui::Window::shared()).pick("picker", {"0"}));
  act(ui::Actor(ui::Window::shared()).done());
  EXPECT_NE(server().lastRequest("/keldas_viewbag")->body.find("&contactId=11&"),
            std::string::npos);
  tap("Premium");
  tap("CONTINUE CHECKOUT");
  EXPECT_TRUE(
      shows("The Premium shipping method is not applicable for the Item Wool Rug in your "
            "bag. Please choose another shipping option."))
      << screen();
  tap("VIEW SHIPPING OPTIONS");
  tap("Standard");
  tap("CONTINUE CHECKOUT");
  EXPECT_EQ(checkout()->page(), CheckOutViewController::Page::Billing);
}

}  // namespace
}  // namespace kelda::test

// BagScreenFixture: bag and checkout screen tests as a signed-in shopper meets them: a window
// with the five tabs, the bag screen at the root of the "my bag" tab, the demo-like profile (two
// addresses, New York first and San Francisco as the default; two cards) with its stored log-in,
// and helpers that fill the bag and program the fake middleware's bag and order answers.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "bag/CoreDataHandler.hpp"
#include "bag/ViewBagController.hpp"
#include "bag/ViewBagData.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/StoredLogin.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "json/SBJson.hpp"
#include "support/ClientFixture.hpp"
#include "ui/Actor.hpp"
#include "ui/NavigationController.hpp"
#include "ui/ScreenTree.hpp"
#include "ui/TabBarController.hpp"
#include "ui/Window.hpp"

namespace kelda::test {

inline gateway::TarnObjects& state() {
  return gateway::TarnObjects::sharedInstance();
}

// A totals answer for a bag: items total, taxes, three shipping methods (G, O, 2).
inline std::string totalsAnswer(const std::string& extra = "") {
  return R"({"success":1,"error":0,"errorMsg":"","promoFlag":0,"totalDiscountedAmmount":"0.00",)"
         R"("datatable":[{"desc":"merchandise total:","value":"45.98","color":"B"},)"
         R"({"desc":"promotions:","value":"-4.60","color":"R"}],"dataValidator":{},)"
         R"("promotionResultsItem":{},"promotionResultsOrder":[],)" +
         extra +
         R"("data":{"itemsTotal":"45.98","taxes":"1.84","totalDiscountedAmmount":"0.00",)"
         R"("orderNumber":"0123456789","promotionResultsOrder":[],"shippingFeeResults":[)"
         R"({"shippingFee":"5.95","orderTotal":"53.77","estimatedDelivery":"5-7 days",)"
         R"("shippingMethod":{"code":"G","description":"Standard"}},)"
         R"({"shippingFee":"12.95","orderTotal":"60.77","estimatedDelivery":"2-3 days",)"
         R"("shippingMethod":{"code":"O","description":"Premium"}},)"
         R"({"shippingFee":"24.95","orderTotal":"72.77","estimatedDelivery":"1 day",)"
         R"("shippingMethod":{"code":"2","description":"Express"}}]}})";
}

inline constexpr const char* kPlacedAnswer =
    R"({"success":1,"data":{"confirmationNumber":"C-1001","paymentStatus":"APPROVED",)"
    R"("mode":"ONLINE","amountCharged":"53.77","taxes":"1.84","orderNumber":"0123456789"}})";

class BagScreenFixture : public ClientFixture {
 protected:
  BagScreenFixture() {
    bagScreen_ = std::make_shared<bag::ViewBagController>();
    bagStack_ = std::make_shared<ui::NavigationController>(bagScreen_);
    tabs_ = std::make_shared<ui::TabBarController>();
    tabs_->setViewControllers(
        {std::make_shared<ui::ViewController>(), std::make_shared<ui::ViewController>(), bagStack_,
         std::make_shared<ui::ViewController>(), std::make_shared<ui::ViewController>()});
    const char* titles[] = {"home", "search", "my bag", "offers", "more"};
    for (int i = 0; i < 5; ++i) tabs_->itemAt(i).title = titles[i];
    ui::Window::shared().setRootViewController(tabs_);
    ui::Window::shared().makeKeyAndVisible();
    server().answer("/keldas_viewbag", totalsAnswer());
    server().answer("/keldas_prepareorder",
                    R"({"success":1,"data":{"orderReservationNumber":"R-77","orderNumber":"1"}})");
    server().answer("/keldas_processorder", kPlacedAnswer);
    server().answer("/get_promo", R"({"data":[{"promotionName":"Take 10% off",)"
                                  R"("promoCode":"SAVE10"}]})");
    signIn();
  }

  // The shopper as the sign-in answer gives it (the sign-in on the way to checkout answers the
  // same), already signed in.
  void signIn() {
    server().answer("/signin", kAccount);
    const json::Value account = json::JSONValue(kAccount);
    auto& profile = gateway::UserProfileDetails::sharedUserProfileObject();
    profile.setShippingAddressArray(account["shipping"]);
    profile.setDefaultShippingDictionary(account["defaultShipping"][0]);
    profile.setDefaultCreditCardArray(account["creditCard"]);
    profile.setDefaultCreditCardDictionary(account["defaultCreditCard"][0]);
    profile.setCreditCardTypes(json::JSONValue(R"([{"ccCode":"VI","visible":"Y"}])"));
    ASSERT_TRUE(gateway::writeStoredLogin("demo@kelda.test;kelda123"));
    gateway::GlobalFlags::shared().loginSuccessful = true;
  }

  static constexpr const char* kAccount =
      R"({"status":[{"success":"AUTHENTICATED","error":""}],"profile":[{"userId":"1",)"
      R"("emailAddress":"demo@kelda.test"}],"shipping":[{"contactId":"11","firstName":"Dana",)"
      R"("lastName":"Demo","address1":"1 Main St","address2":"","city":"New York",)"
      R"("state":"NY","zipcode":"10001","phone":"1"},{"contactId":"12","firstName":"Dana",)"
      R"("lastName":"Demo","address1":"9 Bay St","address2":"","city":"San Francisco",)"
      R"("state":"CA","zipcode":"94105","phone":"1"}],"defaultShipping":[{"contactId":"12"}],)"
      R"("creditCard":[{"cardId":"31","cardType":"VI","cardNumber":"4111111111111111",)"
      R"("billingFirstName":"Dana","billingLastName":"Demo","billingAddress1":"1 Main St",)"
      R"("billingAddress2":"","billingCity":"New York","billingState":"NY",)"
      R"("billingZipcode":"10001"}],"defaultCreditCard":[{"cardId":"31"}]})";

  // A bag line as the add-to-bag screen stores it.
  void addLine(const std::string& upc, const std::string& name, const std::string& qty = "1",
               const std::string& excluded = "AK,HI", const std::string& shipping = "G,O,2") {
    json::Value itemBO = json::Value::object({{"setUpcID", upc},
                                              {"setUpcNumber", "U" + upc},
                                              {"setProductID", "P" + upc},
                                              {"setProductTaxwareCode", "TX"},
                                              {"setCustomPrice", "0.00"},
                                              {"setAddByApp", "Y"},
                                              {"setBaseFeeExempt", "N"},
                                              {"setOrderMethod", "SHIP"},
                                              {"setSurchargeFee", "0"},
                                              {"setFobFeeFlag", "N"}});
    state().setProductDescriptionList(json::Value::object(
        {{"data", json::Value::array({json::Value::object(
                      {{"prodId", "P" + upc}, {"prodName", name}, {"maxQuantity", "5"}})})},
         {"UPCAvailabilityChecker",
          json::Value::object({{upc, json::Value::object({{"itemBOAttr", itemBO}})}})},
         {"excludedStateCodeValues", excluded},
         {"shippingMethodCodeValues", shipping}}));
    state().setCategoryFlag("SEARCH");
    state().setCoreMetricsCategoryId("");
    ASSERT_TRUE(bag::CoreDataHandler::sharedCoreDataHandler().addNewRowInEntityWithObject(
        upc, qty, "19.99", std::string("Red"), std::string("M")));
  }

  long long bagQuantity() {
    return bag::CoreDataHandler::sharedCoreDataHandler().totalQuantityInBag(lock_);
  }

  // Shows the bag tab (its appearance sends the totals request) and waits.
  void openBag() { act(ui::Actor(ui::Window::shared()).tab("2")); }

  std::string screen() { return ui::ScreenTree::capture(ui::Window::shared()).text(); }
  bool shows(const std::string& part) { return screen().find(part) != std::string::npos; }
  void act(const ui::ActResult& result) {
    ASSERT_TRUE(result.ok) << result.message << "\n" << screen();
    runUntilIdle();
  }
  void tap(const std::string& target) { act(ui::Actor(ui::Window::shared()).tap(target)); }
  void type(const std::string& field, const std::string& text) {
    act(ui::Actor(ui::Window::shared()).type(field, text));
  }
  // The message of the shown alert ("" when none), which is then dismissed.
  std::string takeAlert() {
    const auto& alerts = ui::Window::shared().alerts();
    if (alerts.empty()) return "";
    std::string message = alerts.back().message;
    ui::Window::shared().clickAlertButton(0);
    runUntilIdle();
    return message;
  }
  ui::ViewController* top() { return ui::Window::shared().topViewController(); }

  // From the bag through sign-in to the shipping page of checkout.
  void enterCheckout() {
    openBag();
    tap("CONTINUE CHECKOUT");
    type("Password:", "kelda123");
    tap("CONTINUE CHECKOUT");
  }
  // From the shipping page to the order summary with the security code.
  void toSummary(const std::string& code = "123") {
    tap("CONTINUE CHECKOUT");
    type("Security Code:", code);
    tap("CONTINUE CHECKOUT");
  }

  std::shared_ptr<bag::ViewBagController> bagScreen_;
  std::shared_ptr<ui::NavigationController> bagStack_;
  std::shared_ptr<ui::TabBarController> tabs_;
  std::mutex lock_;
};

}  // namespace kelda::test

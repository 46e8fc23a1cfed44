#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gateway/StoredLogin.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "platform/RunLoop.hpp"
#include "support/ClientFixture.hpp"
#include "ui/Window.hpp"

namespace kelda::gateway {
namespace {

class AnalyticsTest : public test::ClientFixture {
 protected:
  AnalyticsTest() {
    server().answer("/coremetrics_url", R"({"data":")" + server().url("/eluminate?ci=9") + R"("})");
    server().answer("/eluminate", "{}");
    api().coremetricsURL();
  }
  TarnServerAPIs& api() { return TarnServerAPIs::sharedInstance(); }
  UserProfileDetails& profile() { return UserProfileDetails::sharedUserProfileObject(); }
  // The query of every tag the service received, in arrival order.
  std::vector<std::string> tags() {
    runUntilIdle();
    std::vector<std::string> queries;
    for (const auto& request : server().requestsTo("/eluminate")) {
      EXPECT_EQ(request.method, "POST");
      EXPECT_EQ(request.body, "");
      queries.push_back(request.query);
    }
    return queries;
  }
  static json::Value record(const char* id, const char* title, const char* kind,
                            const char* category) {
    return json::Value::object({{"PDPProductId", id},
                                {"Title", title},
                                {"Quantity", "2"},
                                {"Price", "19.99"},
                                {"CategroyFlag", kind},
                                {"CategroyId", category}});
  }
};

TEST_F(AnalyticsTest, BaseAddressComesFromTheMiddlewareWithAnEmptyBody) {
  const auto request = server().lastRequest("/coremetrics_url");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->method, "POST");
  EXPECT_EQ(request->body, "");
  EXPECT_EQ(api().coremetricsURLString().str(), server().url("/eluminate?ci=9"));

  // An answer without "data" drops the old address, and tags then send nothing.
  server().answer("/coremetrics_url", R"({"error":"x"})");
  api().coremetricsURL();
  EXPECT_TRUE(api().coremetricsURLString().isAbsent());
  api().coremetricsStaticPageViewTag("mobile.home.home");
  api().registrationCoremetrics();
  EXPECT_TRUE(tags().empty());
}

TEST_F(AnalyticsTest, PageViewsCarryTheCategoryOfTheShippedTable) {
  api().coremetricsStaticPageViewTag("mobile.shopping.bag");
  EXPECT_EQ(tags(), std::vector<std::string>{"ci=9&tid=1&pi=mobile.shopping.bag&cg=MOBILE_BAG"});
  server().clearRequests();
  api().coremetricsStaticPageViewTag("mobile.nowhere");
  EXPECT_EQ(tags(), std::vector<std::string>{"ci=9&tid=1&pi=mobile.nowhere&cg=(null)"});
  EXPECT_TRUE(ui::Window::shared().alerts().empty());
}

TEST_F(AnalyticsTest, RegistrationAndCheckoutTags) {
  api().registrationCoremetrics();
  EXPECT_EQ(tags(), std::vector<std::string>{"ci=9&tid=2&cd=(null)&em=(null)"});
  server().clearRequests();

  profile().setProfileDictionary(json::Value::object({{"emailAddress", "ann+shop@x.com"}}));
  profile().setDefaultCreditCardArray(json::Value::array({json::Value::object(
      {{"billingCity", "New York"}, {"billingState", "NY"}, {"billingZipcode", "10001"}})}));
  api().registrationCoremetrics();
  api().checkoutCorematrics();
  EXPECT_EQ(tags(), (std::vector<std::string>{
                        "ci=9&tid=2&cd=ann%2Bshop@x.com&em=ann%2Bshop@x.com",
                        "ci=9&tid=2&cd=ann%2Bshop@x.com&em=ann%2Bshop@x.com&ct=New%20York&sa=NY"
                        "&zp=10001"}));
}

TEST_F(AnalyticsTest, OrderConfirmationTag) {
  auto& state = TarnObjects::sharedInstance();
  state.setOrderConfirmationDictionary(json::Value::object({{"orderConfirmationNumber", "C-1"}}));
  state.setMerchandiseDetailsDictionary(json::Value::object(
      {{"data", json::Value::object({{"shippingFeeResults",
                                      json::Value::array({json::Value::object(
                                          {{"orderTotal", "42.50"}, {"shippingFee", "5"}})})}})}}));
  api().orderConfirmationCorematrics();
  EXPECT_EQ(tags(), std::vector<std::string>{
                        "ci=9&tid=3&on=C-1&tr=42.50&sg=5&cd=(null)&ct=(null)&sa=(null)&zp=(null)"});
}

TEST_F(AnalyticsTest, ShopTagsOnePerRecordInOrderWithBlanksEncoded) {
  const json::Value records = json::Value::array({record("11", "Red Dress", "SALE", "77"),
                                                  record("12", "Mug", "SEARCH", ""),
                                                  record("13", "A&B Tee", "BESTSELLER", "5")});
  api().shoppingViewTagCoremetrics(records);
  EXPECT_EQ(tags(), (std::vector<std::string>{
                        "ci=9&tid=4&at=5&pr=11&pm=Red%20Dress&qt=2&bp=19.99&cg=mobile.77",
                        "ci=9&tid=4&at=5&pr=12&pm=Mug&qt=2&bp=19.99&cg=mobile.search",
                        "ci=9&tid=4&at=5&pr=13&pm=A%26B%20Tee&qt=2&bp=19.99&cg=BESTSELLER"}));
}

TEST_F(AnalyticsTest, OrderShopTagsCarryTheConfirmationAndTheStoredUserName) {
  ASSERT_TRUE(writeStoredLogin("ann@x.com;secret"));
  TarnObjects::sharedInstance().setOrderConfirmationResult(json::Value::object(
      {{"data", json::Value::object({{"confirmationNumber", "K9"}, {"amountCharged", "10"}})}}));
  api().orderConfirmationShopTagCoremetrics(
      json::Value::array({record("11", "Cap", "TOPRATED", "3")}));
  EXPECT_EQ(tags(), std::vector<std::string>{"ci=9&tid=4&at=9&pr=11&pm=Cap&qt=2&bp=19.99"
                                             "&cg=mobile.toprated&on=K9&tr=10&cd=ann@x.com"});
}

TEST_F(AnalyticsTest, ProductViewTag) {
  auto& state = TarnObjects::sharedInstance();
  state.setProductDescriptionList(json::Value::object(
      {{"categoryFlag", "BROWSE_WHEEL"},
       {"categoryId", "55"},
       {"data", json::Value::array(
                    {json::Value::object({{"prodId", "123"}, {"prodName", "Red Wool Dress"}})})}}));
  api().coreMetricsForPDP();
  state.setProductDescriptionList(json::Value::object(
      {{"categoryFlag", "OTHER"},
       {"data", json::Value::array({json::Value::object({{"prodId", "9"}})})}}));
  api().coreMetricsForPDP();
  EXPECT_EQ(tags(),
            (std::vector<std::string>{"ci=9&tid=5&pi=PRODUCT:%20Red%20Wool%20Dress%20(123)&pr=123"
                                      "&pm=Red%20Wool%20Dress&cg=mobile.55",
                                      "ci=9&tid=5&pi=PRODUCT:%20(null)%20(9)&pr=9&pm=(null)&cg="}));
}

}  // namespace
}  // namespace kelda::gateway

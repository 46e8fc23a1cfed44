#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "gateway/TarnServerAPIs.hpp"
#include "gateway/Wire.hpp"
#include "support/ClientFixture.hpp"

namespace kelda::gateway {
namespace {

class WireTest : public test::ClientFixture {};

TEST(EndpointIndexTest, EveryRowIsUniqueAndWellFormed) {
  std::set<std::string_view> operations;
  for (const Endpoint& row : endpointIndex()) {
    EXPECT_TRUE(operations.insert(row.operation).second) << row.operation << " twice";
    EXPECT_FALSE(row.endpoint.empty()) << row.operation;
    // Placeholders only as "%@": a stray "%" would be sent as it is.
    for (std::size_t i = 0; i < row.bodyFormat.size(); ++i) {
      if (row.bodyFormat[i] == '%') {
        EXPECT_EQ(row.bodyFormat.substr(i, 2), "%@") << row.operation;
      }
    }
    if (row.method == Method::Get) {
      EXPECT_TRUE(row.bodyFormat.empty()) << row.operation;
    }
  }
  EXPECT_THROW(endpointFor("noSuchOperation"), std::out_of_range);
}

TEST(FormBodyTest, EncodesOnlyPercentAmpersandAndPlusOnce) {
  EXPECT_EQ(formatBody("loginUserName=%@&loginPassword=%@", {"Jos\xC3\xA9 M@x.com", "a+b&c%d=e"}),
            "loginUserName=Jos\xC3\xA9 M@x.com&loginPassword=a%2Bb%26c%25d=e");
  EXPECT_EQ(formatBody("&categoryId=%@", {"12"}), "&categoryId=12");
  // Already-encoded text is encoded again: the decoder gives back exactly what was typed.
  EXPECT_EQ(formatBody("zipcode=%@", {"%26"}), "zipcode=%2526");
  EXPECT_EQ(formatBody("a=%@&b=%@", {"1"}), "a=1&b=");
}

TEST_F(WireTest, UrlsUseTheMiddlewareAddressAsConfigured) {
  EXPECT_EQ(TarnServerAPIs::serverURL("signin"), "http://" + server().address() + "/signin");
  updateOptions([](platform::Options& options) { options.ctrAddress = "10.0.0.9"; });
  EXPECT_EQ(endpointURL(endpointFor("ctrDetails")), "http://10.0.0.9/category_ctr");
  EXPECT_EQ(endpointURL(endpointFor("ctrSubCategory")),
            "http://" + server().address() + "/category_ctr");
  // An address may name its scheme (https is then verified as libcurl does by default).
  setMiddleware("https://shop.example.com:8443");
  EXPECT_EQ(TarnServerAPIs::serverURL("signin"), "https://shop.example.com:8443/signin");
  setMiddleware("localhost:8080/");
  EXPECT_EQ(TarnServerAPIs::serverURL("signin"), "http://localhost:8080/signin");
}

TEST_F(WireTest, RequestsGoOutWithTheRowsMethodAndBody) {
  server().answer("/store_locator", R"({"data":[{"storeId":"1"}]})");
  server().answer("/get_promo", R"({"data":[]})");
  server().answer("/results", R"({"data":[]})");

  EXPECT_EQ(request("locateStoresByZip", {"12&34"})["data"][0]["storeId"].str(), "1");
  auto zip = server().lastRequest("/store_locator");
  ASSERT_TRUE(zip);
  EXPECT_EQ(zip->method, "POST");
  EXPECT_EQ(zip->body, "zipcode=12%2634");

  request("offerDetails", {});
  ASSERT_TRUE(server().lastRequest("/get_promo"));
  EXPECT_EQ(server().lastRequest("/get_promo")->method, "GET");

  const std::string refinements = R"({"BRAND":"A&B"})";
  request("resultForCategory", {"7", refinements});
  auto results = server().lastRequest("/results");
  ASSERT_TRUE(results);
  EXPECT_EQ(results->body, R"(categoryId=7&refinements={"BRAND":"A%26B"})");
  EXPECT_EQ(results->header("Content-Length"), std::to_string(results->body.size()));

  requestWithBody("removeShippingAddress", "loginUserName=a&loginPassword=b&contactId=3");
  ASSERT_TRUE(server().lastRequest("/delete_shipping"));
  EXPECT_EQ(server().lastRequest("/delete_shipping")->body,
            "loginUserName=a&loginPassword=b&contactId=3");
}

TEST_F(WireTest, StateCodeLookupUsesTheShippedTable) {
  auto& api = TarnServerAPIs::sharedInstance();
  EXPECT_EQ(api.getStateCodeForState(json::Value()).str(), "AL");
  EXPECT_EQ(api.getStateCodeForState(json::Value("New York")).str(), "NY");
  EXPECT_EQ(api.getStateCodeForState(json::Value("District of Columbia")).str(), "DC");
  EXPECT_TRUE(api.getStateCodeForState(json::Value("Atlantis")).isAbsent());
  EXPECT_TRUE(api.getStateCodeForState(json::Value("")).isAbsent());
}

}  // namespace
}  // namespace kelda::gateway

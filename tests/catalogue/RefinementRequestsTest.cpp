// The narrowed result requests and the sales and landing-page requests: exact bodies, where each
// answer is kept, and that a request without an answer changes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/BodyRoutedServer.hpp"
#include "catalogue/LandingRequests.hpp"
#include "catalogue/RefinementRequests.hpp"
#include "catalogue/SalesRequests.hpp"
#include "gateway/TarnObjects.hpp"
#include "json/SBJson.hpp"
#include "support/ClientFixture.hpp"

namespace kelda::catalogue {
namespace {

using gateway::TarnObjects;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

constexpr const char* kNone = R"({"data":[],"extra":[{"totalCount":"0"}]})";
constexpr const char* kOne =
    R"({"data":[{"prodId":"9"}],"extra":[{"totalCount":"3","pageLimit":"1","pageNumber":"2"}]})";

class RefinementRequestsTest : public test::ClientFixture {};

TEST_F(RefinementRequestsTest, NarrowedCategoryFormsCombineWidenAndKeepTheirOwnList) {
  const json::Value applied = json::JSONValue(
      R"({"data":[{"prodId":"1"}],"appliedRefinements":"{\"BRAND\":\"Amara\",\"PRICE\":\"201\"}"})");
  for (ResultList list : {ResultList::Category, ResultList::Sales, ResultList::Landing}) {
    for (int matchesOn : {1, 3, 4}) {
      SCOPED_TRACE(static_cast<int>(list) * 10 + matchesOn);
      storeListAnswer(ResultList::Category, applied);
      storeListAnswer(list, applied);
      state().setPageFlag(1);
      int seen = 0;
      BodyRoutedServer routed([&](const std::string&, const std::string&) {
        return std::string(++seen == matchesOn ? kOne : kNone);
      });
      setMiddleware(routed.address());
      // The applied brand with a price of its own and a colour.
      json::Value values = json::JSONValue(R"({"BRAND":"Amara","PRICE":"p1","COLOR":"Red"})");
      ASSERT_EQ(RefinementRequests::refine(list, "31", values), RequestStatus::Answered);
      const std::vector<std::string> expected{
          R"(categoryId=31&refinements={"BRAND":"Amara","PRICE":"p1","COLOR":"Red"})",
          R"(categoryId=31&refinements={"BRAND":"","PRICE":"p1","COLOR":"Red"})",
          R"(categoryId=31&refinements={"BRAND":"","PRICE":"","COLOR":"Red"})"};
      const auto sent = static_cast<std::size_t>(std::min(matchesOn, 3));
      EXPECT_EQ(routed.bodies(),
                std::vector<std::string>(expected.begin(), expected.begin() + sent));
      EXPECT_EQ(state().resultType(), static_cast<long long>(sent));
      // The refinements of the request that answered: the list's further pages use them.
      EXPECT_EQ("categoryId=31&refinements=" + json::JSONFragment(values).value_or(""),
                expected[sent - 1]);
      EXPECT_EQ(listAnswer(list)["data"].size(), matchesOn <= 3 ? 1u : 0u);
      if (list != ResultList::Category) {
        EXPECT_EQ(listAnswer(ResultList::Category), applied);
      }
    }
  }
}

TEST_F(RefinementRequestsTest, NarrowedSearchSendsTheChoicesEncodedOnce) {
  server().answer("/results_search", kNone);
  json::Value values = json::JSONValue(R"({"BRAND":"H&M + Co 100%","COLOR":"{Crème}"})");
  const json::Value chosen = values;
  state().setPageFlag(2);
  ASSERT_EQ(RefinementRequests::refineResultsPage("red & blue", values), RequestStatus::Answered);
  const auto request = server().lastRequest("/results_search");
  ASSERT_TRUE(request);
  const std::string body =
      R"(searchPhrase=red %26 blue&refinements={"BRAND":"H%26M %2B Co 100%25","COLOR":"{Crème}"})";
  EXPECT_EQ(request->body, body);
  EXPECT_EQ(request->header("Content-Length"), std::to_string(body.size()));
  // Nothing found is still the answer: no widening for a search.
  EXPECT_EQ(server().requestsTo("/results_search").size(), 1u);
  EXPECT_EQ(state().searchResultsDictionary()["extra"][0]["totalCount"].str(), "0");
  EXPECT_EQ(values, chosen);
}

TEST_F(RefinementRequestsTest, NarrowedPagesAppendToTheListTheyBelongTo) {
  const json::Value refinements = json::JSONValue(R"({"BRAND":"A&B","PRICE":""})");
  struct Case {
    ResultList list;
    const char* path;
    const char* body;
  };
  const Case cases[] = {
      {ResultList::Category, "/results",
       R"(pageNumber=2&categoryId=31&refinements={"BRAND":"A%26B","PRICE":""})"},
      {ResultList::Search, "/results_search",
       R"(pageNumber=2&searchPhrase=31&refinements={"BRAND":"A%26B","PRICE":""})"},
      {ResultList::Sales, "/results",
       R"(pageNumber=2&categoryId=31&refinements={"BRAND":"A%26B","PRICE":""})"},
      {ResultList::Landing, "/results",
       R"(pageNumber=2&categoryId=31&refinements={"BRAND":"A%26B","PRICE":""})"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    server().clearRequests();
    server().answer(c.path, kOne);
    storeListAnswer(c.list, json::JSONValue(R"({"data":[{"prodId":"1"}]})"));
    ASSERT_EQ(RefinementRequests::refinedPage(c.list, "2", "31", refinements),
              RequestStatus::Answered);
    ASSERT_EQ(server().requestCount(), 1u);
    EXPECT_EQ(server().lastRequest(c.path)->body, c.body);
    const json::Value merged = listAnswer(c.list);
    ASSERT_EQ(merged["data"].size(), 2u);
    EXPECT_EQ(merged["data"][1]["prodId"].str(), "9");
  }
}

TEST_F(RefinementRequestsTest, NarrowingWithoutAnAnswerChangesNothing) {
  const json::Value shown = json::JSONValue(R"({"data":[{"prodId":"1"}]})");
  storeListAnswer(ResultList::Sales, shown);
  state().setResultType(2);
  json::Value values = json::JSONValue(R"({"BRAND":"Amara"})");
  const json::Value chosen = values;
  server().answer("/results", test::FakeAnswer{"<html>", 200, "text/html"});
  EXPECT_EQ(RefinementRequests::refineSalesResultsPage("31", values), RequestStatus::Failed);
  EXPECT_EQ(RefinementRequests::updateSalesRefineResultsPage("2", "31", values),
            RequestStatus::Failed);
  EXPECT_EQ(server().requestsTo("/results").size(), 2u);  // no widening after a failure
  forceReachability(platform::ForcedReachability::None);
  EXPECT_EQ(RefinementRequests::refineCtrResultsPage("31", values), RequestStatus::NotSent);
  EXPECT_EQ(server().requestsTo("/results").size(), 2u);
  EXPECT_EQ(listAnswer(ResultList::Sales), shown);
  EXPECT_EQ(values, chosen);
  EXPECT_EQ(state().resultType(), 2);
}

TEST_F(RefinementRequestsTest, SalesAndLandingRequestsSendTheirBodies) {
  // Another department's refinements are never sent with a sales or landing page.
  state().setRefinementFilterString(R"({"BRAND":"Amara","PRICE":"201"})");
  server().answer("/category_sale", R"({"category":[{"col1id":"41","col1name":"Dresses"}]})");
  server().answer("/results", kOne);
  server().answer("/category_ctr", R"({"data":[{"categoryName":"Tops","categoryId":60001}]})");
  server().answer("/get_promo", R"({"data":[{"promotionName":"Ten off","promoCode":"SAVE10"}]})");
  struct Case {
    RequestStatus (*send)();
    const char* path;
    const char* method;
    const char* body;
  };
  const Case cases[] = {
      {[] { return SalesRequests::recordForSale("3536"); }, "/category_sale", "POST",
       "&categoryId=3536"},
      {[] { return SalesRequests::saleSubCategory("41"); }, "/category_sale", "POST",
       "categoryId=41"},
      {[] { return SalesRequests::recordForSalesResult("41"); }, "/results", "POST",
       R"(categoryId=41&refinements={"BRAND":"","PRICE":""})"},
      {[] { return SalesRequests::updateSalesResultsPage("2", "41"); }, "/results", "POST",
       R"(categoryId=41&pageNumber=2&refinements={"BRAND":"","PRICE":""})"},
      {[] { return SalesRequests::offerDetails(); }, "/get_promo", "GET", ""},
      {[] { return LandingRequests::ctrSubCategory("118"); }, "/category_ctr", "POST",
       "parentCategoryId=118"},
      {[] { return LandingRequests::ctrResults("60001"); }, "/results", "POST", "categoryId=60001"},
      {[] { return LandingRequests::updateCtrResultsPage("2", "60001"); }, "/results", "POST",
       R"(categoryId=60001&pageNumber=2&refinements={"BRAND":"","PRICE":""})"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    server().clearRequests();
    EXPECT_EQ(c.send(), RequestStatus::Answered);
    ASSERT_EQ(server().requestCount(), 1u);
    const auto request = server().lastRequest(c.path);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->method, c.method);
    EXPECT_EQ(request->body, c.body);
  }
  EXPECT_EQ(state().salesDictionary()["category"][0]["col1id"].str(), "41");
  EXPECT_EQ(state().salesSubcategoryDictionary(), state().salesDictionary());
  EXPECT_EQ(state().salesResultDictionary()["data"].size(), 2u);
  EXPECT_EQ(state().ctrResultsDictionary()["data"].size(), 2u);
  EXPECT_EQ(state().ctrSubCategoryDictionary()["data"][0]["categoryName"].str(), "Tops");
  EXPECT_EQ(state().offerDetails()["data"][0]["promoCode"].str(), "SAVE10");
  EXPECT_EQ(state().resultType(), 1);
}

TEST_F(RefinementRequestsTest, LandingListComesFromTheSecondAddressOnly) {
  test::FakeMiddleware landing;
  landing.answer("/category_ctr", R"({"data":[{"categoryName":"Women","categoryId":"118"}]})");
  updateOptions([&](platform::Options& options) { options.ctrAddress = landing.address(); });
  ASSERT_EQ(LandingRequests::ctrDetails(), RequestStatus::Answered);
  const auto request = landing.lastRequest("/category_ctr");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->method, "GET");
  EXPECT_EQ(server().requestCount(), 0u);
  const json::Value departments = state().ctrDictionary();
  EXPECT_EQ(departments["data"][0]["categoryName"].str(), "Women");

  // The landing server is down (the middleware is not): nothing changes.
  const std::string down = landing.address();
  updateOptions([&](platform::Options& options) { options.ctrAddress = "127.0.0.1:1"; });
  EXPECT_EQ(LandingRequests::ctrDetails(), RequestStatus::Failed);
  landing.answer("/category_ctr", R"(["not","a","dictionary"])");
  updateOptions([&](platform::Options& options) { options.ctrAddress = down; });
  EXPECT_EQ(LandingRequests::ctrDetails(), RequestStatus::Failed);
  EXPECT_EQ(state().ctrDictionary(), departments);
}

}  // namespace
}  // namespace kelda::catalogue

// The narrowed result requests: exact bodies, the widening, and where each answer is kept; the
// landing-page list's own address.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/BodyRoutedServer.hpp"
#include "catalogue/LandingRequests.hpp"
#include "catalogue/RefinementRequests.hpp"
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

TEST_F(RefinementRequestsTest, NarrowedCategoryFormsCombineWidenPageAndKeepTheirOwnList) {
  const json::Value applied = json::JSONValue(
      R"({"data":[{"prodId":"1"}],"appliedRefinements":"{\"BRAND\":\"Amara\",\"PRICE\":\"201\"}"})");
  // The refinements of each request in turn, as sent and as the screen holds them.
  const std::vector<std::string> sentText{
      R"({"BRAND":"Amara","PRICE":"p1","COLOR":"R%26B %2B1%25"})",
      R"({"BRAND":"","PRICE":"p1","COLOR":"R%26B %2B1%25"})",
      R"({"BRAND":"","PRICE":"","COLOR":"R%26B %2B1%25"})"};
  const std::vector<std::string> heldText{R"({"BRAND":"Amara","PRICE":"p1","COLOR":"R&B +1%"})",
                                          R"({"BRAND":"","PRICE":"p1","COLOR":"R&B +1%"})",
                                          R"({"BRAND":"","PRICE":"","COLOR":"R&B +1%"})"};
  for (ResultList list : {ResultList::Category, ResultList::Sales, ResultList::Landing}) {
    for (int matchesOn : {1, 3, 4}) {
      SCOPED_TRACE(static_cast<int>(list) * 10 + matchesOn);
      storeListAnswer(ResultList::Category, applied);
      storeListAnswer(list, applied);
      state().setPageFlag(1);
      int seen = 0;
      BodyRoutedServer routed([&](const std::string&, const std::string& body) {
        if (body.rfind("pageNumber=2&", 0) == 0) return std::string(kOne);
        return std::string(++seen == matchesOn ? kOne : kNone);
      });
      setMiddleware(routed.address());
      // The applied brand with a price of its own and a colour.
      json::Value values = json::JSONValue(R"({"BRAND":"Amara","PRICE":"p1","COLOR":"R&B +1%"})");
      ASSERT_EQ(RefinementRequests::refine(list, "31", values), RequestStatus::Answered);
      const auto sent = static_cast<std::size_t>(std::min(matchesOn, 3));
      std::vector<std::string> expected;
      for (std::size_t i = 0; i < sent; ++i) {
        expected.push_back("categoryId=31&refinements=" + sentText[i]);
      }
      EXPECT_EQ(routed.bodies(), expected);
      EXPECT_EQ(state().resultType(), static_cast<long long>(sent));
      // The refinements of the request that answered: the list's further pages use them.
      EXPECT_EQ(json::JSONFragment(values), heldText[sent - 1]);
      const std::size_t shown = matchesOn <= 3 ? 1u : 0u;
      EXPECT_EQ(listAnswer(list)["data"].size(), shown);

      // The next narrowed page is asked with them and appended to the same list.
      ASSERT_EQ(RefinementRequests::refinedPage(list, "2", "31", values), RequestStatus::Answered);
      EXPECT_EQ(routed.bodies().back(),
                "pageNumber=2&categoryId=31&refinements=" + sentText[sent - 1]);
      EXPECT_EQ(listAnswer(list)["data"].size(), shown + 1);
      EXPECT_EQ(state().resultType(), 1);
      if (list != ResultList::Category) {
        EXPECT_EQ(listAnswer(ResultList::Category), applied);
      }
    }
  }
}

TEST_F(RefinementRequestsTest, NothingChosenAsksForEachListUnnarrowed) {
  struct Case {
    ResultList list;
    const char* path;
    const char* body;
  };
  const Case cases[] = {
      // The category search with the brand and price its own pages use.
      {ResultList::Category, "/results",
       R"(categoryId=31&refinements={"BRAND":"Levi's %26 Co","PRICE":""})"},
      {ResultList::Search, "/results_search", "&searchPhrase=31"},
      {ResultList::Sales, "/results", R"(categoryId=31&refinements={"BRAND":"","PRICE":""})"},
      {ResultList::Landing, "/results", "categoryId=31"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    storeListAnswer(c.list, json::JSONValue(R"({"data":[{"prodId":"7"}],
        "appliedRefinements":"{\"BRAND\":\"Amara\"}"})"));
    state().setRefinementFilterString(R"({"BRAND":"Levi's & Co","PRICE":""})");
    server().answer(c.path, kOne);
    json::Value values = json::Value::object();
    ASSERT_EQ(RefinementRequests::refine(c.list, "31", values), RequestStatus::Answered);
    EXPECT_EQ(server().lastRequest(c.path)->body, c.body);
    EXPECT_EQ(listAnswer(c.list)["data"][0]["prodId"].str(), "9");
    EXPECT_TRUE(values.empty());
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
  EXPECT_EQ(values, chosen);

  // Its next page goes to the search with the same refinements.
  server().answer("/results_search", kOne);
  ASSERT_EQ(RefinementRequests::updateRefineResultsPage("2", "red & blue", values),
            RequestStatus::Answered);
  EXPECT_EQ(server().lastRequest("/results_search")->body,
            R"(pageNumber=2&searchPhrase=red %26 blue&refinements={"BRAND":"H%26M %2B Co 100%25",)"
            R"("COLOR":"{Crème}"})");
  EXPECT_EQ(state().searchResultsDictionary()["data"].size(), 1u);
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

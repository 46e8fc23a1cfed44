#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/BodyRoutedServer.hpp"
#include "catalogue/CatalogueRequests.hpp"
#include "gateway/TarnObjects.hpp"
#include "json/SBJson.hpp"
#include "support/ClientFixture.hpp"

namespace kelda::catalogue {
namespace {

using gateway::TarnObjects;
using Api = CatalogueRequests;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

constexpr const char* kEmptyResults = R"({"data":[],"extra":[{"totalCount":"0"}]})";
constexpr const char* kOneResult =
    R"({"data":[{"prodId":"9"}],"extra":[{"totalCount":"1","pageLimit":"20","pageNumber":"2"}]})";

class CatalogueRequestsTest : public test::ClientFixture {};

TEST_F(CatalogueRequestsTest, DepartmentAnswerGoesToTheCacheOfTheOpenedDepartment) {
  server().answer("/category", R"({"category":[{"col1id":"7","col1name":"Tops"}]})");
  state().setFobTitle("Women");
  Api::recordForItemPicker("118");
  auto request = server().lastRequest("/category");
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->method, "POST");
  EXPECT_EQ(request->body, "&categoryId=118");
  EXPECT_EQ(state().womenDictionary()["category"][std::size_t{0}]["col1name"].str(), "Tops");
  EXPECT_TRUE(state().menDictionary().isAbsent());

  // The cache follows the title, not the id asked for.
  state().setFobTitle("Men");
  Api::recordForItemPicker("118");
  EXPECT_FALSE(state().menDictionary().isAbsent());
}

TEST_F(CatalogueRequestsTest, DepartmentAnswerOutsideTheTableOrOfTheWrongShapeIsDropped) {
  server().answer("/category", R"({"category":[]})");
  state().setFobTitle("Garden");
  Api::recordForItemPicker("42");
  EXPECT_EQ(server().requestsTo("/category").size(), 1u);
  for (auto field : {&TarnObjects::womenDictionary, &TarnObjects::fortheHomeDictionary,
                     &TarnObjects::salesDictionary}) {
    EXPECT_TRUE((state().*field)().isAbsent());
  }
  server().answer("/category", "[1,2,3]");
  state().setFobTitle("Kids");
  Api::recordForItemPicker("5991");
  EXPECT_TRUE(state().kidsDictionary().isAbsent());
}

TEST_F(CatalogueRequestsTest, CategorySearchSendsAnyAsEmptyWithItsByteLength) {
  server().answer("/results", kOneResult);
  Api::resultForCategory("5", "Any", "Any");
  auto requests = server().requestsTo("/results");
  ASSERT_EQ(requests.size(), 1u);
  const std::string body = R"(categoryId=5&refinements={"BRAND":"","PRICE":""})";
  EXPECT_EQ(requests[0].body, body);
  EXPECT_EQ(requests[0].header("Content-Length"), std::to_string(body.size()));
  EXPECT_EQ(state().resultType(), 1);
  EXPECT_EQ(state().refinementFilterString().str(), R"({"BRAND":"","PRICE":""})");
  EXPECT_EQ(state().categorySearchList()["data"][std::size_t{0}]["prodId"].str(), "9");
}

TEST_F(CatalogueRequestsTest, CategorySearchEncodesReservedCharactersOnceAndCountsBytes) {
  server().answer("/results", kOneResult);
  Api::resultForCategory("5", "Dolce & Gabbana+ 100%", "Über $50");
  auto request = server().lastRequest("/results");
  ASSERT_TRUE(request.has_value());
  const std::string body =
      R"(categoryId=5&refinements={"BRAND":"Dolce %26 Gabbana%2B 100%25","PRICE":"Über $50"})";
  EXPECT_EQ(request->body, body);
  // "Ü" is two bytes.
  EXPECT_EQ(request->header("Content-Length"), std::to_string(body.size()));
  // The stored refinements are the JSON text itself; the next page encodes it again once.
  EXPECT_EQ(state().refinementFilterString().str(),
            R"({"BRAND":"Dolce & Gabbana+ 100%","PRICE":"Über $50"})");
}

TEST_F(CatalogueRequestsTest, CategorySearchFallsBackToNoBrandThenNoPrice) {
  for (int matchesOn : {2, 3, 4}) {
    SCOPED_TRACE(matchesOn);
    int seen = 0;
    BodyRoutedServer routed([&](const std::string&, const std::string&) {
      return ++seen == matchesOn ? std::string(kOneResult) : std::string(kEmptyResults);
    });
    setMiddleware(routed.address());
    Api::resultForCategory("5", "Levi's", "$25 - $50");
    const std::vector<std::string> expected{
        R"(categoryId=5&refinements={"BRAND":"Levi's","PRICE":"$25 - $50"})",
        R"(categoryId=5&refinements={"BRAND":"","PRICE":"$25 - $50"})",
        R"(categoryId=5&refinements={"BRAND":"","PRICE":""})"};
    const std::size_t sent = std::min<std::size_t>(static_cast<std::size_t>(matchesOn), 3);
    EXPECT_EQ(routed.bodies(), std::vector<std::string>(expected.begin(), expected.begin() + sent));
    EXPECT_EQ(state().resultType(), static_cast<long long>(sent));
    EXPECT_EQ(state().refinementFilterString().str(),
              expected[sent - 1].substr(std::string("categoryId=5&refinements=").size()));
    EXPECT_EQ(state().categorySearchList()["data"].size(), matchesOn <= 3 ? 1u : 0u);
  }
}

TEST_F(CatalogueRequestsTest, TextSearchSendsThePhraseWithReservedCharactersEncoded) {
  server().answer("/results_search", kOneResult);
  state().setPageFlag(1);
  Api::searchResultString("black & white 100% wool+silk é");
  auto request = server().lastRequest("/results_search");
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->body, "&searchPhrase=black %26 white 100%25 wool%2Bsilk é");
  EXPECT_FALSE(request->hasHeader("Content-Length") &&
               request->header("Content-Length") != std::to_string(request->body.size()));
  EXPECT_EQ(state().pageFlag(), 2);
  EXPECT_EQ(state().searchResultsDictionary()["data"].size(), 1u);
}

TEST_F(CatalogueRequestsTest, NextSearchPageIsAppendedInOrder) {
  server().answer("/results_search",
                  R"({"data":[{"prodId":"1"},{"prodId":"2"}],"extra":[{"pageNumber":"2"}]})");
  Api::searchResultString("dress");
  for (const char* next : {"3", "4"}) {
    server().answer("/results_search", std::string(R"({"data":[{"prodId":"p)") + next +
                                           R"("}],"extra":[{"pageNumber":")" + next + "\"}]}");
    Api::updateResultsPage(
        state().searchResultsDictionary()["extra"][std::size_t{0}]["pageNumber"].str(), "dress");
  }
  auto requests = server().requestsTo("/results_search");
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[1].body, "&searchPhrase=dress&pageNumber=2");
  EXPECT_EQ(requests[2].body, "&searchPhrase=dress&pageNumber=3");
  json::Value list = state().searchResultsDictionary();
  ASSERT_EQ(list["data"].size(), 4u);
  EXPECT_EQ(list["data"][std::size_t{2}]["prodId"].str(), "p3");
  EXPECT_EQ(list["data"][std::size_t{3}]["prodId"].str(), "p4");
  EXPECT_EQ(list["extra"][std::size_t{0}]["pageNumber"].str(), "4");
}

TEST_F(CatalogueRequestsTest, FailedOrUnknownPageLeavesTheListAsItWas) {
  server().answer("/results_search", kOneResult);
  Api::searchResultString("coat");
  const json::Value loaded = state().searchResultsDictionary();
  server().answer("/results_search", test::FakeAnswer{"not json", 200, "text/plain"});
  Api::updateResultsPage("2", "coat");
  EXPECT_EQ(state().searchResultsDictionary(), loaded);
  server().answer("/results_search", test::FakeAnswer{"", 500});
  Api::updateResultsPage("2", "coat");
  EXPECT_EQ(state().searchResultsDictionary(), loaded);
  // A page flag of neither kind sends nothing.
  state().setPageFlag(0);
  server().clearRequests();
  Api::updateResultsPage("2", "coat");
  EXPECT_EQ(server().requestCount(), 0u);
}

}  // namespace
}  // namespace kelda::catalogue

#include <gtest/gtest.h>

#include <string>

#include "catalogue/ResultAnswer.hpp"
#include "catalogue/ResultRow.hpp"
#include "catalogue/SearchTitle.hpp"
#include "json/SBJson.hpp"

namespace kelda::catalogue {
namespace {

json::Value parse(std::string_view text) {
  json::Value value = json::JSONValue(text);
  EXPECT_FALSE(value.isAbsent()) << text;
  return value;
}

TEST(SearchTitle, CutsTitlesLongerThanFifteenCharacters) {
  EXPECT_EQ(searchTitleFor("coat"), "Search for coat");
  EXPECT_EQ(searchTitleFor("dress"), "Search for dre...");
  EXPECT_EQ(searchTitleFor(""), "Search for ");
  // Characters, not bytes: "é" is one character and is never split.
  EXPECT_EQ(searchTitleFor("café"), "Search for café");
  EXPECT_EQ(searchTitleFor("cafés"), "Search for caf...");
  EXPECT_EQ(searchTitleFor("abcé€x"), "Search for abc...");
  EXPECT_EQ(searchTitleFor("abé€x"), "Search for abé...");
}

TEST(SearchTitle, PhraseDropsOnlyTheLeadingPrefix) {
  EXPECT_EQ(phraseFromSearchTitle("Search for dress"), "dress");
  EXPECT_EQ(phraseFromSearchTitle("dress"), "dress");
  EXPECT_EQ(phraseFromSearchTitle("red Search for x"), "red Search for x");
}

TEST(PagingFooter, ShownUntilEveryProductIsLoaded) {
  auto answer = [](int loaded, std::string total) {
    std::string data;
    for (int i = 0; i < loaded; ++i) data += (i ? ",{}" : "{}");
    return json::JSONValue("{\"data\":[" + data + "],\"extra\":[{\"totalCount\":" + total +
                           ",\"pageLimit\":20,\"pageNumber\":2}]}");
  };
  EXPECT_FALSE(pagingFooter(answer(3, "3")).has_value());
  auto more = pagingFooter(answer(2, "3"));
  ASSERT_TRUE(more.has_value());
  EXPECT_EQ(more->resultsFound, "3 Results Found");
  EXPECT_EQ(more->loadMore, "load 20 More");
  EXPECT_TRUE(pagingFooter(answer(4, "3")).has_value());
  // "totalCount" as text counts the same as a number.
  EXPECT_FALSE(pagingFooter(answer(3, "\"3\"")).has_value());
  EXPECT_EQ(pagingFooter(answer(1, "\"3\""))->resultsFound, "3 Results Found");
  // No answer at all: nothing loaded, nothing to load.
  EXPECT_FALSE(pagingFooter(json::Value()).has_value());
}

TEST(ResultAnswer, WrongShapesReadAsEmpty) {
  EXPECT_EQ(productCount(parse(R"({"data":{"a":1,"b":2}})")), 0u);
  EXPECT_EQ(productCount(parse(R"({"data":"x"})")), 0u);
  EXPECT_EQ(productCount(parse(R"([1,2])")), 0u);
  EXPECT_TRUE(pagingFacts(parse(R"({"extra":{"totalCount":3}})")).isAbsent());
  EXPECT_EQ(pagingFacts(parse(R"({"extra":[{"pageNumber":"4"}]})"))["pageNumber"].str(), "4");
}

TEST(MergeResultsPage, AppendsInOrderAndKeepsTheLastPagingFacts) {
  json::Value list = parse(R"({"data":[{"prodId":"1"}],"extra":[{"pageNumber":"2"}]})");
  list = mergeResultsPage(list, parse(R"({"data":[{"prodId":"2"}],"extra":[{"pageNumber":"3"}]})"));
  list = mergeResultsPage(list, parse(R"({"data":[{"prodId":"3"},{"prodId":"4"}],
                                          "extra":[{"pageNumber":"4"}],"refinementParams":["BRAND"]})"));
  ASSERT_EQ(productCount(list), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(list["data"][i]["prodId"].str(), std::to_string(i + 1));
  }
  EXPECT_EQ(pagingFacts(list)["pageNumber"].str(), "4");
  EXPECT_EQ(list["refinementParams"][std::size_t{0}].str(), "BRAND");
}

TEST(MergeResultsPage, AFailedPageKeepsWhatWasLoaded) {
  json::Value list = parse(R"({"data":[{"prodId":"1"}],"extra":[{"pageNumber":"2"}]})");
  EXPECT_EQ(mergeResultsPage(list, json::Value()), list);
  EXPECT_EQ(mergeResultsPage(list, parse("[1]")), list);
  // A page without products still moves the paging facts on.
  json::Value merged = mergeResultsPage(list, parse(R"({"extra":[{"pageNumber":"3"}]})"));
  EXPECT_EQ(productCount(merged), 1u);
  EXPECT_EQ(pagingFacts(merged)["pageNumber"].str(), "3");
  // Nothing loaded before: the page alone.
  EXPECT_EQ(productCount(mergeResultsPage(json::Value(), parse(R"({"data":[{},{}]})"))), 2u);
}

TEST(ResultRowStars, HalfStepsBetweenZeroAndFive) {
  using S = Star;
  EXPECT_EQ(starsForRating(3.5), (Stars{S::Full, S::Full, S::Full, S::Half, S::Empty}));
  EXPECT_EQ(starsForRating(0), (Stars{S::Empty, S::Empty, S::Empty, S::Empty, S::Empty}));
  EXPECT_EQ(starsForRating(5), (Stars{S::Full, S::Full, S::Full, S::Full, S::Full}));
  EXPECT_EQ(starsForRating(0.5), (Stars{S::Half, S::Empty, S::Empty, S::Empty, S::Empty}));
  EXPECT_FALSE(starsForRating(3.3).has_value());
  EXPECT_FALSE(starsForRating(5.5).has_value());
  EXPECT_FALSE(starsForRating(-1).has_value());
  // Text ratings count by their leading number.
  EXPECT_EQ(ResultRow::forProduct(parse(R"({"overallRating":"4.5"})")).stars,
            (Stars{S::Full, S::Full, S::Full, S::Full, S::Half}));
}

TEST(ResultRowPrices, LabelsFollowThePriceTypeFlag) {
  auto row = [](std::string_view flag, std::string_view newPrice) {
    return ResultRow::forProduct(
        json::JSONValue(std::string(R"({"oldPrice":"40.00","newPrice":")") + std::string(newPrice) +
                        R"(","priceTypeFlag":")" + std::string(flag) + "\"}"));
  };
  ResultRow orgNow = row("ORG-NOW", "29.99");
  EXPECT_EQ(orgNow.original.label, "Original");
  EXPECT_EQ(orgNow.original.price, " $40.00 ");
  EXPECT_EQ(orgNow.current.label, "Current");
  EXPECT_EQ(orgNow.current.price, "$29.99");
  EXPECT_TRUE(orgNow.current.shown);

  ResultRow regSale = row("REG-SALE", "29.99");
  EXPECT_EQ(regSale.original.label, "Reg.");
  EXPECT_EQ(regSale.current.label, "Sale");

  ResultRow edv = row("EDV", "");
  EXPECT_EQ(edv.original.label, "Current");
  EXPECT_TRUE(edv.original.red);
  EXPECT_FALSE(edv.current.shown);

  ResultRow noCurrent = row("ORG-NOW", "0");
  EXPECT_FALSE(noCurrent.current.shown);
  EXPECT_EQ(noCurrent.original.label, "Original");
  EXPECT_FALSE(noCurrent.original.red);

  ResultRow plain = row("NOVERBAGE", "29.99");
  EXPECT_FALSE(plain.original.labelShown);
  EXPECT_FALSE(plain.current.labelShown);
  EXPECT_FALSE(plain.current.shown);
  EXPECT_EQ(plain.original.price, " $40.00 ");
}

TEST(ResultRowNotes, FlagsAndAvailability) {
  ResultRow both = ResultRow::forProduct(
      parse(R"({"moreColor":"1","findInStoreFlag":1,"available":"1","prodDesc":"Tee"})"));
  EXPECT_EQ(both.moreColors, "*More Colors Available");
  EXPECT_EQ(both.findInStore, "find it in store");
  EXPECT_TRUE(both.available);
  EXPECT_EQ(both.description, "Tee");
  ResultRow none =
      ResultRow::forProduct(parse(R"({"moreColor":"0","findInStoreFlag":"0","available":0})"));
  EXPECT_EQ(none.moreColors, "");
  EXPECT_EQ(none.findInStore, "");
  EXPECT_FALSE(none.available);
  // Not a dictionary: an empty row, no crash.
  EXPECT_EQ(ResultRow::forProduct(parse("[]")).description, "");
}

}  // namespace
}  // namespace kelda::catalogue

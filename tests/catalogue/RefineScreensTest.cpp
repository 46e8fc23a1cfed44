// The refinement screen and its value list on the browse and search lists: rows, shown choices,
// the exact refinements sent by a filter and by the narrowed pages after it.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/CatalogueScreenFixture.hpp"
#include "catalogue/RefineSearchViewController.hpp"
#include "catalogue/RefinementValues.hpp"
#include "json/SBJson.hpp"

namespace kelda::catalogue {
namespace {

// A result page with three refinements offered, the third without a value list, and the
// refinements the server applied.
std::string refinablePage(const std::string& pageText, const char* applied) {
  const json::Value answer =
      json::JSONValue(pageText)
          .with("refinementParams", json::JSONValue(R"(["Brand","Color","Customer Rating"])"))
          .with("refinement", json::JSONValue(R"([
              {"refinementName":"BRAND","refinementValues":["Amara","Zed & Co"]},
              {"refinementName":"COLOR","refinementValues":["Red","Crème"]}])"))
          .with("appliedRefinements", applied);
  return json::JSONRepresentation(answer).value_or("");
}

class RefineScreens : public CatalogueScreens {
 protected:
  RefineSearchViewController* refineScreen() {
    return dynamic_cast<RefineSearchViewController*>(top());
  }
  // Opens a refinement row's value list and taps one value.
  void choose(const std::string& row, const std::string& value) {
    tapAndWait(row);
    ASSERT_NE(dynamic_cast<RefinementValues*>(top()), nullptr) << screen();
    tapAndWait(value);
    ASSERT_NE(refineScreen(), nullptr) << screen();
  }
  bool shows(const std::string& line) { return screen().find("\n  " + line + "\n") != npos; }
  static constexpr auto npos = std::string::npos;
};

TEST_F(RefineScreens, BrowseListIsNarrowedByWhatTheScreenShowsAndPagesNarrowed) {
  openWomen(0, 1, 0);
  server().answer("/results", refinablePage(page(1, 2, 5, 2), R"({"BRAND":"b1","PRICE":""})"));
  tapAndWait("Go");
  ASSERT_NE(resultList(), nullptr);
  tapAndWait("Refine");
  ASSERT_NE(refineScreen(), nullptr);
  EXPECT_EQ(refineScreen()->title(), "Dresses");
  // After a department browse the department's other brands and prices come last.
  for (const char* line : {"row.0.2 Customer Rating | Select Customer Rating >",
                           "row.0.3 Another Brand | Select Another Brand >",
                           "row.0.4 Another Price | Select Another Price >"}) {
    EXPECT_TRUE(shows(line)) << line << "\n" << screen();
  }
  // A refinement without values offers none.
  tapAndWait("Customer Rating");
  EXPECT_EQ(dynamic_cast<RefinementValues*>(top())->tableView().numberOfRowsInSection(0), 0);
  act(actor().back());
  // A brand chosen through another row replaces the first: one name, one value, one row.
  choose("Brand", "Zed & Co");
  EXPECT_TRUE(shows("row.0.0 Brand | Zed & Co >")) << screen();
  choose("Another Brand", "Levi's & Co");
  EXPECT_TRUE(shows("row.0.0 Brand | Select Brand >")) << screen();
  EXPECT_TRUE(shows("row.0.3 Another Brand | Levi's & Co >")) << screen();
  choose("Another Price", "$25 - $50");
  choose("Color", "Crème");
  EXPECT_EQ(state().brand1().str(), "b1");
  EXPECT_EQ(state().price1().str(), "p1");
  // The value list marks the value its row shows.
  tapAndWait("Another Price");
  EXPECT_TRUE(shows("row.0.1 $25 - $50 (checked)")) << screen();  // and no other row
  act(actor().back());

  // The applied brand again with a price of its own: the chosen price is sent.
  server().answer("/results", refinablePage(page(1, 2, 4, 2), R"({"BRAND":"b1","PRICE":"p1"})"));
  tapAndWait("Filter");
  const std::string refinements = R"({"BRAND":"b1","PRICE":"p1","COLOR":"Crème"})";
  EXPECT_EQ(server().lastRequest("/results")->body, "categoryId=31&refinements=" + refinements);
  ASSERT_NE(resultList(), nullptr);
  EXPECT_EQ(resultList()->refineSearchFlagWithPageNumber, 1);
  EXPECT_EQ(state().refineSearchFlagWithPageNumber().str(), "1");
  EXPECT_EQ(resultList()->tableView().numberOfSections(), 2);

  server().answer("/results", refinablePage(page(3, 2, 4, 3), R"({"BRAND":"b1","PRICE":"p1"})"));
  tapAndWait("load 2 More");
  EXPECT_EQ(server().lastRequest("/results")->body,
            "pageNumber=2&categoryId=31&refinements=" + refinements);
  EXPECT_EQ(resultList()->tableView().numberOfSections(), 4);

  // Back on the refinement screen the choices sent are still the ones shown.
  tapAndWait("Refine");
  EXPECT_TRUE(shows("row.0.1 Color | Crème >")) << screen();
  EXPECT_TRUE(shows("row.0.3 Another Brand | Levi's & Co >")) << screen();
  EXPECT_TRUE(shows("row.0.4 Another Price | $25 - $50 >")) << screen();
}

TEST_F(RefineScreens, ChoicesBelongToTheListTheyWereMadeFor) {
  act(actor().tab("1"));
  server().answer("/results_search", refinablePage(page(1, 2, 2, 2), "{}"));
  act(actor().search("dress"));
  runUntilIdle();
  tapAndWait("Refine");
  EXPECT_EQ(screen().find("Another Brand"), std::string::npos);  // a search has no browse lists
  choose("Brand", "Amara");
  tapAndWait("Filter");
  EXPECT_EQ(server().lastRequest("/results_search")->body,
            R"(searchPhrase=dress&refinements={"BRAND":"Amara"})");
  auto searchRefine = search_->resultViewController()->refineSearchViewController();

  // A value chosen for the home tab's list reaches only that list's refinement screen.
  act(actor().tab("0"));
  server().answer("/results_search", refinablePage(page(1, 2, 2, 2), "{}"));
  act(actor().search("coat"));
  runUntilIdle();
  tapAndWait("Refine");
  choose("Color", "Red");
  EXPECT_EQ(json::JSONFragment(searchRefine->values), R"({"BRAND":"Amara"})");

  // Back on the search tab its list's choice is still the one shown.
  act(actor().tab("1"));
  tapAndWait("Refine");
  EXPECT_TRUE(shows("row.0.0 Brand | Amara >")) << screen();
  EXPECT_TRUE(shows("row.0.1 Color | Select Color >")) << screen();
  act(actor().back());

  // The search tab's next list starts from no choice, shown and sent alike.
  act(actor().back());
  server().answer("/results_search", refinablePage(page(1, 2, 2, 2), "{}"));
  act(actor().search("dress"));
  runUntilIdle();
  tapAndWait("Refine");
  EXPECT_TRUE(shows("row.0.0 Brand | Select Brand >")) << screen();
  tapAndWait("Filter");
  EXPECT_EQ(server().lastRequest("/results_search")->body, "searchPhrase=dress&refinements={}");
}

TEST_F(RefineScreens, FilterWithoutAnAnswerStaysWithTheChoices) {
  server().answer("/results_search", refinablePage(page(1, 2, 2, 2), "{}"));
  act(actor().search("tee"));
  runUntilIdle();
  const json::Value shown = state().searchResultsDictionary();
  tapAndWait("Refine");
  choose("Brand", "Amara");

  forceReachability(platform::ForcedReachability::None);
  tapAndWait("Filter");
  ASSERT_NE(alert(), nullptr);
  EXPECT_EQ(alert()->title, "Network Error");
  act(actor().alertButton("OK"));
  forceReachability(std::nullopt);
  server().answer("/results_search", test::FakeAnswer{"", 500});
  tapAndWait("Filter");
  ASSERT_NE(alert(), nullptr);
  EXPECT_EQ(alert()->title, "Sorry !");
  act(actor().alertButton("OK"));

  ASSERT_NE(refineScreen(), nullptr);
  EXPECT_TRUE(shows("row.0.0 Brand | Amara >")) << screen();
  EXPECT_EQ(state().searchResultsDictionary(), shown);
  act(actor().back());
  EXPECT_EQ(resultList()->refineSearchFlagWithPageNumber, 0);
}

}  // namespace
}  // namespace kelda::catalogue

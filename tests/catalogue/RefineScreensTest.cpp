// The refinement screen and its value list on the browse and search lists: rows, shown choices,
// the exact refinements sent by a filter and by the narrowed pages after it.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/BodyRoutedServer.hpp"
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

// A narrowed page that offers the brand refinement only.
std::string brandOnlyPage(const std::string& pageText, const char* applied) {
  const json::Value answer =
      json::JSONValue(pageText)
          .with("refinementParams", json::JSONValue(R"(["Brand"])"))
          .with("refinement",
                json::JSONValue(R"([{"refinementName":"BRAND","refinementValues":["Amara"]}])"))
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

TEST_F(RefineScreens, ClearedChoicesBringTheListBackAndFilteringAgainKeepsWhatIsShown) {
  openWomen(0, 1, 1);
  // The browse finds nothing for its brand and is widened to its price; narrowed requests answer
  // with a list that offers the brand only.
  const std::string plain = R"(categoryId=31&refinements={"BRAND":"","PRICE":"$25 - $50"})";
  BodyRoutedServer routed([&](const std::string&, const std::string& body) {
    if (body.find("pageNumber=2") != npos) return refinablePage(page(3, 2, 5, 3), "{}");
    if (body == plain) return refinablePage(page(1, 2, 5, 2), R"({"BRAND":"","PRICE":"p1"})");
    if (body.find("Levi") != npos) return std::string(kEmptyPage);
    return brandOnlyPage(page(1, 2, 4, 2), R"({"PRICE":"p1"})");
  });
  setMiddleware(routed.address());
  tapAndWait("Go");
  const std::string widened =
      "Sorry, Levi's & Co Dresses are not available in your price range. Here are the "
      "available options";
  auto header = [&] {
    auto label = std::dynamic_pointer_cast<ui::Label>(resultList()->tableView().tableHeaderView);
    return label ? label->text : std::string();
  };
  ASSERT_EQ(header(), widened);

  tapAndWait("Refine");
  EXPECT_NE(screen().find("\nnav.left [Back]  nav.right [Clear]\n"), npos) << screen();
  choose("Color", "Red");
  choose("Another Price", "$25 - $50");
  tapAndWait("Filter");
  EXPECT_EQ(routed.bodies().back(), R"(categoryId=31&refinements={"COLOR":"Red","PRICE":"p1"})");
  EXPECT_EQ(header(), "");

  // Filtering again: the colour the narrowed list no longer offers is dropped, the price its
  // row still shows is kept.
  tapAndWait("Refine");
  EXPECT_EQ(screen().find("Color"), npos) << screen();
  EXPECT_TRUE(shows("row.0.2 Another Price | $25 - $50 >")) << screen();
  choose("Brand", "Amara");
  tapAndWait("Filter");
  EXPECT_EQ(routed.bodies().back(), R"(categoryId=31&refinements={"BRAND":"Amara","PRICE":"p1"})");

  // The marked value tapped again is un-chosen; the other choice stays.
  tapAndWait("Refine");
  EXPECT_TRUE(shows("row.0.0 Brand | Amara >")) << screen();
  choose("Brand", "Amara");
  EXPECT_TRUE(shows("row.0.0 Brand | Select Brand >")) << screen();
  tapAndWait("Filter");
  EXPECT_EQ(routed.bodies().back(), R"(categoryId=31&refinements={"PRICE":"p1"})");
  EXPECT_EQ(resultList()->refineSearchFlagWithPageNumber, 1);

  // "Clear", then "Filter": the list's own first page, its header, and plain pages after it.
  tapAndWait("Refine");
  tapAndWait("Clear");
  for (const char* line :
       {"row.0.0 Brand | Select Brand >", "row.0.2 Another Price | Select Another Price >"}) {
    EXPECT_TRUE(shows(line)) << line << "\n" << screen();
  }
  tapAndWait("Filter");
  EXPECT_EQ(routed.bodies().back(), plain);
  ASSERT_NE(resultList(), nullptr);
  EXPECT_EQ(header(), widened);
  EXPECT_EQ(resultList()->refineSearchFlagWithPageNumber, 0);
  EXPECT_EQ(state().refineSearchFlagWithPageNumber().str(), "0");
  tapAndWait("load 2 More");
  EXPECT_EQ(routed.bodies().back(),
            R"(categoryId=31&pageNumber=2&refinements={"BRAND":"","PRICE":"$25 - $50"})");
  EXPECT_EQ(resultList()->tableView().numberOfSections(), 4);
  tapAndWait("Refine");
  EXPECT_TRUE(shows("row.0.2 Customer Rating | Select Customer Rating >")) << screen();
  EXPECT_TRUE(shows("row.0.4 Another Price | Select Another Price >")) << screen();
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

  // The search tab's next list starts from no choice, shown and sent alike: Filter with nothing
  // chosen asks for the list as the search gave it.
  act(actor().back());
  server().answer("/results_search", refinablePage(page(1, 2, 2, 2), "{}"));
  act(actor().search("dress"));
  runUntilIdle();
  tapAndWait("Refine");
  EXPECT_TRUE(shows("row.0.0 Brand | Select Brand >")) << screen();
  tapAndWait("Filter");
  EXPECT_EQ(server().lastRequest("/results_search")->body, "&searchPhrase=dress");
}

TEST_F(RefineScreens, FilterWithoutAnAnswerStaysWithTheChoices) {
  struct Case {
    ResultList list;
    const char* path;
  };
  for (const Case c :
       {Case{ResultList::Search, "/results_search"}, Case{ResultList::Category, "/results"}}) {
    SCOPED_TRACE(c.path);
    if (c.list == ResultList::Search) {
      server().answer(c.path, refinablePage(page(1, 2, 2, 2), "{}"));
      act(actor().search("tee"));
    } else {
      openWomen(0, 1, 0);
      server().answer(c.path, refinablePage(page(1, 2, 2, 2), R"({"BRAND":"Levi's & Co"})"));
      act(actor().tap("Go"));
    }
    runUntilIdle();
    const json::Value shown = listAnswer(c.list);
    const long long resultType = state().resultType();
    tapAndWait("Refine");
    choose("Color", "Red");

    forceReachability(platform::ForcedReachability::None);
    tapAndWait("Filter");
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title, "Network Error");
    act(actor().alertButton("OK"));
    forceReachability(std::nullopt);
    // A failure is not "nothing found": the category form is not widened.
    server().answer(c.path, test::FakeAnswer{"", 500});
    tapAndWait("Filter");
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title, "Sorry !");
    act(actor().alertButton("OK"));
    EXPECT_EQ(server().requestsTo(c.path).size(), 2u);

    ASSERT_NE(refineScreen(), nullptr);
    EXPECT_TRUE(shows("row.0.1 Color | Red >")) << screen();
    EXPECT_EQ(listAnswer(c.list), shown);
    EXPECT_EQ(state().resultType(), resultType);
    act(actor().back());
    EXPECT_EQ(resultList()->refineSearchFlagWithPageNumber, 0);

    if (c.list == ResultList::Search) {
      // A narrowed search that finds nothing goes back to its list, which apologises.
      tapAndWait("Refine");
      choose("Color", "Red");
      server().answer(c.path, kEmptyPage);
      tapAndWait("Filter");
      ASSERT_NE(resultList(), nullptr) << screen();
      ASSERT_NE(alert(), nullptr);
      EXPECT_EQ(alert()->title, "Sorry !");
      EXPECT_EQ(alert()->message,
                "We're sorry, we couldn't find any items that matched your search term.");
      act(actor().alertButton("OK"));
      act(actor().back());
    }
  }
}

}  // namespace
}  // namespace kelda::catalogue

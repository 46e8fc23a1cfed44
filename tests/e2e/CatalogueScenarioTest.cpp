// Browsing and searching end to end: kelda-cli scripts against kelda-middleware over a seeded
// catalogue large enough for result lists of several pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "e2e/E2eFixture.hpp"

namespace kelda::test {
namespace {

class CatalogueScenario : public E2eFixture {
 protected:
  // About 33 products per subcategory: the first Women list has a second page.
  static void SetUpTestSuite() { startServer({5000, 1}); }
};

const char* const kNoResults =
    "Banner: We couldn\u2019t find any items that match your search term. Please enter a "
    "different search term and try again.\n";

// The number in the list's "N Results Found" footer; -1 when the screen has none.
int resultsFound(const std::string& screen) {
  std::smatch match;
  static const std::regex footer("\n  (\\d+) Results Found\n");
  return std::regex_search(screen, match, footer) ? std::stoi(match[1]) : -1;
}

// The product rows of a result list screen (one per product, ids row.N.0).
int productRows(const std::string& screen) {
  static const std::regex row("\n  row\\.\\d+\\.0\n");
  return static_cast<int>(std::distance(std::sregex_iterator(screen.begin(), screen.end(), row),
                                        std::sregex_iterator()));
}

// The product name of row N: the cell's third line (after the picture and the thumb button).
std::string productName(const std::string& screen, int n) {
  const std::string id = "\n  row." + std::to_string(n) + ".0\n";
  auto at = screen.find(id);
  if (at == std::string::npos) return "";
  at += id.size();
  for (int line = 0; line < 2 && at != std::string::npos; ++line) at = screen.find('\n', at) + 1;
  return screen.substr(at, screen.find('\n', at) - at);
}

// The paging button names the page size the server gives ("pageLimit"), not what is left.
const char* const kLoadMore = "  button.loadMore [load 20 More]\n";

TEST_F(CatalogueScenario, BrowseWomenToAResultListAndLoadMore) {
  const CliRun run = cli().run(
      "alert Later\n"
      "tap Women\n"
      "tap Go\n"
      "tap button.loadMore\n"
      "quit\n",
      home());
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_EQ(run.err, "");

  const std::string picker = run.after("tap Women");
  EXPECT_NE(picker.find("\n== Women ==\n"), std::string::npos) << picker;
  EXPECT_NE(picker.find("    wheel 0: [Dresses] | Tops"), std::string::npos) << picker;
  EXPECT_NE(picker.find("    wheel 1: [Any] | "), std::string::npos) << picker;
  EXPECT_NE(picker.find("    wheel 2: [Any] | Under $25 | "), std::string::npos) << picker;
  EXPECT_NE(picker.find("  button.go [Go]\n"), std::string::npos) << picker;

  const std::string list = run.after("tap Go");
  EXPECT_NE(list.find("\n== Dresses ==\n"), std::string::npos) << list;
  const int found = resultsFound(list);
  ASSERT_GT(found, 20) << list;
  EXPECT_EQ(productRows(list), 20) << list;
  EXPECT_NE(list.find(kLoadMore), std::string::npos) << list;

  const std::string more = run.after("tap button.loadMore");
  EXPECT_EQ(productRows(more), std::min(found, 40)) << more;
  // The first page stays in front of the second, in its order.
  for (int n = 0; n < 20; ++n) {
    EXPECT_FALSE(productName(list, n).empty()) << n;
    EXPECT_EQ(productName(more, n), productName(list, n)) << n;
  }
  EXPECT_NE(productName(more, 20), productName(list, 0));
  // No footer once every product is loaded.
  if (found > 40) {
    EXPECT_NE(more.find(kLoadMore), std::string::npos) << more;
  } else {
    EXPECT_EQ(more.find("button.loadMore"), std::string::npos) << more;
  }
}

TEST_F(CatalogueScenario, SearchDressFromHomeAndFromTheSearchTab) {
  const CliRun run = cli().run(
      "alert Later\n"
      "search dress\n"
      "back\n"
      "tab search\n"
      "search dress\n"
      "quit\n",
      home());
  ASSERT_EQ(run.status, 0) << run.describe();
  const std::string fromHome = run.after("search dress");
  EXPECT_NE(fromHome.find("\n== Search for dre... ==\n"), std::string::npos) << fromHome;
  const int found = resultsFound(fromHome);
  ASSERT_GT(found, 0) << fromHome;
  EXPECT_EQ(productRows(fromHome), std::min(found, 20)) << fromHome;
  EXPECT_NE(fromHome.find(" Dress\n"), std::string::npos) << fromHome;  // a product name

  EXPECT_NE(run.after("back").find("tab.0 [home]"), std::string::npos) << run.out;
  const std::string fromTab = run.out.substr(run.out.find("> tab search\n"));
  EXPECT_NE(fromTab.find("\n== Search for dre... ==\n"), std::string::npos) << fromTab;
  EXPECT_EQ(resultsFound(fromTab), found) << fromTab;  // the same search, the same list
}

TEST_F(CatalogueScenario, SearchWithoutResultsShowsTheBanner) {
  const CliRun run = cli().run(
      "alert Later\n"
      "tab search\n"
      "search qqqxqqq\n"
      "quit\n",
      home());
  ASSERT_EQ(run.status, 0) << run.describe();
  const std::string none = run.after("search qqqxqqq");
  EXPECT_NE(none.find("\n== Search ==\n"), std::string::npos) << none;
  EXPECT_NE(none.find(kNoResults), std::string::npos) << none;
  EXPECT_EQ(productRows(none), 0) << none;
  EXPECT_EQ(resultsFound(none), -1) << none;
}

}  // namespace
}  // namespace kelda::test

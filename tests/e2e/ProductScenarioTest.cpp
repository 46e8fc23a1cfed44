// A product end to end: kelda-cli against kelda-middleware: search, open the first product,
// choose size, colour and quantity 2, add it to the bag, see the badge and the home bag
// summary, open the product again from the summary, add the same article again (the bag line's
// quantity grows), and read the second page of reviews.
#include <gtest/gtest.h>

#include <iterator>
#include <regex>
#include <string>

#include "e2e/E2eFixture.hpp"

namespace kelda::test {
namespace {

class ProductScenario : public E2eFixture {};

// The product name of a result row N: the row's third line (after the picture and the thumb).
std::string rowName(const std::string& screen, int n) {
  const std::string id = "\n  row." + std::to_string(n) + ".0\n";
  auto at = screen.find(id);
  if (at == std::string::npos) return "";
  at += id.size();
  for (int line = 0; line < 2; ++line) at = screen.find('\n', at) + 1;
  return screen.substr(at + 4, screen.find('\n', at) - at - 4);
}

// The review rows of the shown reviews page.
int reviewRows(const std::string& screen) {
  static const std::regex row("\n    row\\.\\d+\\.0 >\n");
  return static_cast<int>(std::distance(std::sregex_iterator(screen.begin(), screen.end(), row),
                                        std::sregex_iterator()));
}

bool has(const std::string& screen, const std::string& part) {
  return screen.find(part) != std::string::npos;
}

// Chooses the first size, the first colour and a quantity of 2 on the shown product page.
const char* const kChoose =
    "tap size:\n"
    "tap row.0.0\n"
    "tap color:\n"
    "tap row.0.0\n"
    "tap quantity:\n"
    "tap row.0.1\n";

TEST_F(ProductScenario, ChooseAddToBagReopenFromTheSummaryAndReadMoreReviews) {
  const CliRun run = cli().run(std::string("alert Later\n"
                                           "search dress\n"
                                           "tap row.0.0\n") +
                                   kChoose +
                                   "tap \"ADD TO BAG\"\n"
                                   "tap \"CONTINUE SHOPPING\"\n"
                                   "back\n"
                                   "back\n"
                                   "tap row.0.2\n" +
                                   kChoose +
                                   "tap \"ADD TO BAG\"\n"
                                   "tap \"CONTINUE SHOPPING\"\n"
                                   "page 2\n"
                                   "tap \"More Reviews\"\n"
                                   "quit\n",
                               home());
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_EQ(run.err, "");

  const std::string name = rowName(run.after("search dress"), 0);
  ASSERT_GT(name.size(), 18u) << run.after("search dress");
  const std::string page = run.after("tap row.0.0");
  EXPECT_TRUE(has(page, "\n== " + name.substr(0, 18) + "... ==\n")) << page;
  for (const char* row :
       {"size: | Select Size >", "color: | Select Color >", "quantity: | Select Quantity >",
        "[ADD TO BAG]", "[FIND IT IN STORE]", "[Pricing policy.]"}) {
    EXPECT_TRUE(has(page, row)) << row << "\n" << page;
  }
  EXPECT_TRUE(has(run.after("tap quantity:"), "\n== Select Quantity ==\n"));

  const std::string added = run.after("tap \"ADD TO BAG\"");
  for (const char* line : {"\n== Add To Bag ==\n", "tab.2 my bag (2)", "\n    Qty:\n    2\n",
                           "row.1.0 items: | 1", "[CONTINUE SHOPPING]", "[CHECKOUT]"}) {
    EXPECT_TRUE(has(added, line)) << line << "\n" << added;
  }
  // The home bag summary lists the line; the product opens again from it.
  const std::string summary =
      run.out.substr(run.out.find("> back\n", run.out.find("> back\n") + 1));
  EXPECT_TRUE(has(summary, "row.0.2 " + name + "\n    2\n")) << summary;
  EXPECT_TRUE(has(run.after("tap row.0.2"), "\n== " + name.substr(0, 18) + "... ==\n"));
  // The same article again: still one bag line, now of 4.
  const std::string merged = run.out.substr(run.out.rfind("> tap \"ADD TO BAG\"\n"));
  EXPECT_TRUE(has(merged, "tab.2 my bag (4)")) << merged;
  EXPECT_TRUE(has(merged, "row.1.0 items: | 1")) << merged;

  const std::string firstPage = run.after("page 2");
  EXPECT_TRUE(has(firstPage, "pages: 0 1 [2] 3")) << firstPage;
  EXPECT_EQ(reviewRows(firstPage), 10) << firstPage;
  EXPECT_TRUE(has(firstPage, "More Reviews")) << firstPage;
  const std::string secondPage = run.after("tap \"More Reviews\"");
  EXPECT_GT(reviewRows(secondPage), 10) << secondPage;
  EXPECT_TRUE(has(secondPage, "\n    row.0.0 >\n")) << secondPage;
}

}  // namespace
}  // namespace kelda::test

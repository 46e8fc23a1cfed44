// Refinement, the sale department, the offers tab and the top-rated landing pages end to end:
// kelda-cli scripts against kelda-middleware (its landing-page list on the second address). A
// product opened from a list is checked through the product-view tag the server's analytics
// sink received, which names the product and the kind of list it came from.
#include <gtest/gtest.h>

#include <httplib.h>

#include <regex>
#include <string>

#include "e2e/E2eFixture.hpp"
#include "json/SBJson.hpp"

namespace kelda::test {
namespace {

class RefineSalesScenario : public E2eFixture {
 protected:
  // A catalogue large enough that a search narrowed by a brand and a price still has two pages.
  static void SetUpTestSuite() { startServer({40000, 1}); }

  // The category group of the product-view tag that names `product`; empty when none came.
  std::string productViewGroup(const std::string& product) {
    const std::string address = server().address();
    httplib::Client client(address.substr(0, address.find(':')),
                           std::stoi(address.substr(address.find(':') + 1)));
    // The analytics log comes in pages, oldest first.
    for (int page = 1;; ++page) {
      const auto answer = client.Get("/analytics/log?page=" + std::to_string(page));
      if (!answer || answer->status != 200) return "";
      const json::Value log = json::JSONValue(answer->body);
      for (json::Value tag : log["data"].items()) {
        const json::Value fields = tag["fields"];
        if (fields["tid"].str() == "5" &&
            fields["pi"].str().rfind("PRODUCT: " + product + " (", 0) == 0) {
          return fields["cg"].str();
        }
      }
      if (page >= log["pageCount"].intValue()) return "";
    }
  }
};

int resultsFound(const std::string& screen) {
  std::smatch match;
  static const std::regex footer("\n  (\\d+) Results Found\\.?\n");
  return std::regex_search(screen, match, footer) ? std::stoi(match[1]) : -1;
}

// The product names of a list screen: the first text line of each row after its picture and
// picture button.
std::vector<std::string> productNames(const std::string& screen) {
  std::vector<std::string> names;
  static const std::regex row(
      "\n  row\\.\\d+\\.0\n(    \\(image[^\n]*\n)?(    button\\.thumb[^\n]*\n)?    ([^\n]*)\n");
  for (auto it = std::sregex_iterator(screen.begin(), screen.end(), row);
       it != std::sregex_iterator(); ++it) {
    names.push_back((*it)[3]);
  }
  return names;
}

// The price each row of a list screen shows the shopper: its last amount (the sale price when
// it has one, else its regular price). Rows follow each other, so a row starts at "  row".
std::vector<double> productPrices(const std::string& screen) {
  std::vector<double> prices;
  static const std::regex row("  row\\.\\d+\\.0\n((?:    [^\n]*\n)*)");
  static const std::regex amount("\\$(\\d+\\.\\d\\d)");
  for (auto it = std::sregex_iterator(screen.begin(), screen.end(), row);
       it != std::sregex_iterator(); ++it) {
    const std::string block = (*it)[1];
    std::string last;
    for (auto a = std::sregex_iterator(block.begin(), block.end(), amount);
         a != std::sregex_iterator(); ++a) {
      last = (*a)[1];
    }
    prices.push_back(last.empty() ? -1 : std::stod(last));
  }
  return prices;
}

bool has(const std::string& screen, const std::string& line) {
  return screen.find("\n" + line + "\n") != std::string::npos;
}

TEST_F(RefineSalesScenario, SearchNarrowedByBrandAndPricePagesNarrowedAndIsCleared) {
  const CliRun run = cli().run(
      "alert Later\n"
      "search dress\n"
      "tap Refine\n"
      "tap Brand\n"
      "tap \"Belle & Bloom\"\n"
      "tap Price\n"
      "tap \"$100 - $200\"\n"
      "tap Filter\n"
      "tap button.loadMore\n"
      "tap refine\n"
      "tap Clear\n"
      "tap filter\n"
      "tap REFINE\n"
      "quit\n",
      home());
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_EQ(run.err, "");
  const int all = resultsFound(run.after("search dress"));
  ASSERT_GT(all, 40) << run.out;

  const std::string refine = run.after("tap Refine");
  for (const char* line : {"  --      Refine your results: --", "  row.0.0 Brand | Select Brand >",
                           "  row.0.1 Price | Select Price >", "  button.filter [Filter]"}) {
    EXPECT_TRUE(has(refine, line)) << line << "\n" << refine;
  }
  EXPECT_TRUE(has(run.after("tap \"$100 - $200\""), "  row.0.1 Price | $100 - $200 >")) << run.out;

  // The narrowed list: fewer products, every one of the brand, still more than a page.
  const std::string narrowed = run.after("tap Filter");
  const int found = resultsFound(narrowed);
  ASSERT_GT(found, 20) << narrowed;
  ASSERT_LT(found, all) << narrowed;
  // The further pages are narrowed too.
  const std::vector<std::string> loaded = productNames(run.after("tap button.loadMore"));
  EXPECT_EQ(static_cast<int>(loaded.size()), std::min(found, 40)) << run.out;
  for (const std::string& name : loaded) EXPECT_EQ(name.rfind("Belle & Bloom ", 0), 0u) << name;
  const std::vector<double> prices = productPrices(run.after("tap button.loadMore"));
  EXPECT_EQ(prices.size(), loaded.size()) << run.out;
  for (double price : prices) {
    EXPECT_GE(price, 100.0) << run.out;
    EXPECT_LT(price, 200.0) << run.out;
  }
  // The refinement screen still shows what the list was narrowed by.
  EXPECT_TRUE(has(run.after("tap refine"), "  row.0.0 Brand | Belle & Bloom >")) << run.out;

  // Cleared on the same list: nothing chosen, and Filter shows the whole list again.
  const std::string cleared = run.after("tap Clear");
  EXPECT_NE(cleared.find("\nnav.left [Back]  nav.right [Clear]\n"), std::string::npos) << cleared;
  for (const char* line :
       {"  row.0.0 Brand | Select Brand >", "  row.0.1 Price | Select Price >"}) {
    EXPECT_TRUE(has(cleared, line)) << line << "\n" << cleared;
  }
  EXPECT_EQ(resultsFound(run.after("tap filter")), all) << run.out;
  EXPECT_TRUE(has(run.after("tap REFINE"), "  row.0.0 Brand | Select Brand >")) << run.out;
}

TEST_F(RefineSalesScenario, SaleDepartmentToASubcategoryAndAProduct) {
  const CliRun run = cli().run(
      "alert Later\n"
      "tap Sale\n"
      "tap \"Women Sale\"\n"
      "tap \"Dresses on Sale\"\n"
      "tap row.0.0\n"
      "quit\n",
      home());
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_EQ(run.err, "");
  const std::string sale = run.after("tap Sale");
  EXPECT_NE(sale.find("\n== Sale ==\n"), std::string::npos) << sale;
  EXPECT_TRUE(has(sale, "  row.0.0 For the Home Sale >")) << sale;
  // A sale category with subcategories lists them.
  const std::string women = run.after("tap \"Women Sale\"");
  EXPECT_NE(women.find("\n== Women Sale ==\n"), std::string::npos) << women;
  EXPECT_TRUE(has(women, "  row.0.0 Dresses on Sale >")) << women;

  const std::string list = run.after("tap \"Dresses on Sale\"");
  EXPECT_NE(list.find("\n== Dresses on Sale ==\n"), std::string::npos) << list;
  EXPECT_GT(resultsFound(list), 0) << list;
  const std::vector<std::string> names = productNames(list);
  ASSERT_FALSE(names.empty()) << list;
  // The product opened from the sales list is reported under its sale category.
  EXPECT_TRUE(std::regex_match(productViewGroup(names[0]), std::regex("mobile\\.\\d+")))
      << names[0] << ": " << productViewGroup(names[0]);
}

TEST_F(RefineSalesScenario, OffersAndATopRatedProduct) {
  const CliRun run = cli().run(
      "alert Later\n"
      "tab offers\n"
      "tap home\n"
      "tap \"Top Rated\"\n"
      "tap Women\n"
      "tap Dresses\n"
      "tap row.0.0\n"
      "quit\n",
      home());
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_EQ(run.err, "");
  const std::string offers = run.after("tab offers");
  EXPECT_NE(offers.find("\n== Offers ==\nnav.left [home]"), std::string::npos) << offers;
  EXPECT_NE(offers.find("  row.0.0 Please choose an offer from the list below. Make sure you "
                        "click on \"Get Promo Code\" when you are in checkout to apply this offer "
                        "to your order.\n  row.0.1 "),
            std::string::npos)
      << offers;
  EXPECT_NE(offers.find("    Use promo code\n    SAVE10\n    in your shopping bag\n"),
            std::string::npos)
      << offers;
  EXPECT_NE(run.after("tap home").find("tab.0 [home]"), std::string::npos) << run.out;

  const std::string departments = run.after("tap \"Top Rated\"");
  EXPECT_NE(departments.find("\n== Customer's Top Rated ==\n"), std::string::npos) << departments;
  EXPECT_TRUE(has(departments, "  row.0.2 Women >")) << departments;
  EXPECT_NE(run.after("tap Women").find("\n== Women ==\n"), std::string::npos) << run.out;

  const std::string list = run.after("tap Dresses");
  EXPECT_NE(list.find("\n== Dresses ==\nnav.left [Back]  nav.right [filter]\n"
                      "  rating 5 of 5\n  customers' top rated\n"),
            std::string::npos)
      << list;
  EXPECT_GT(resultsFound(list), 0) << list;
  EXPECT_NE(list.find(" Results Found.\n"), std::string::npos) << list;
  const std::vector<std::string> names = productNames(list);
  ASSERT_FALSE(names.empty()) << list;
  EXPECT_EQ(productViewGroup(names[0]), "mobile.toprated") << names[0];
}

}  // namespace
}  // namespace kelda::test

// Checkout end to end: kelda-cli against kelda-middleware, signed in as the demo account on the
// way to checkout. The main run adds two articles, changes a quantity, applies SAVE10, checks
// out with the New York address, Standard shipping and the demo card, and sees the confirmation;
// the bag is then empty and the server's order store holds exactly that order. Further runs: an
// article that cannot ship to California, the checkout time limit, and orders the server never
// confirms (its faults, and a client killed while the order is on its way): the bag stays.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "e2e/E2eFixture.hpp"

namespace kelda::test {
namespace {

bool has(const std::string& screen, const std::string& part) {
  return screen.find(part) != std::string::npos;
}

// Runs one query on the server's database; every row as its columns joined by "|".
std::vector<std::string> query(const std::filesystem::path& dataDirectory, const char* sql) {
  sqlite3* raw = nullptr;
  const auto file = (dataDirectory / "kelda-middleware.sqlite").string();
  std::vector<std::string> rows;
  if (sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(raw);
    return rows;
  }
  std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(raw, &sqlite3_close);
  sqlite3_stmt* raw_statement = nullptr;
  if (sqlite3_prepare_v2(db.get(), sql, -1, &raw_statement, nullptr) != SQLITE_OK) return rows;
  std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw_statement,
                                                                       &sqlite3_finalize);
  while (sqlite3_step(statement.get()) == SQLITE_ROW) {
    std::string row;
    for (int column = 0; column < sqlite3_column_count(statement.get()); ++column) {
      if (column > 0) row += "|";
      const auto* text = sqlite3_column_text(statement.get(), column);
      row += text != nullptr ? reinterpret_cast<const char*>(text) : "";
    }
    rows.push_back(row);
  }
  return rows;
}

// Chooses the first size, the first colour and a quantity of 2 on the shown product page.
const char* const kChoose =
    "tap size:\n"
    "tap row.0.0\n"
    "tap color:\n"
    "tap row.0.0\n"
    "tap quantity:\n"
    "tap row.0.1\n"
    "tap \"ADD TO BAG\"\n";

// From the bag through the sign-in screen (signed out: both fields) to checkout.
const char* const kSignInToCheckout =
    "tap \"CONTINUE CHECKOUT\"\n"
    "type field.email demo@kelda.test\n"
    "type field.password kelda123\n"
    "tap \"SIGN IN\"\n";

// From the shipping page to the placed order with the demo card's security code.
const char* const kPlaceOrder =
    "tap \"CONTINUE CHECKOUT\"\n"
    "type \"Security Code:\" 123\n"
    "tap \"CONTINUE CHECKOUT\"\n"
    "tap \"CONFIRM ORDER\"\n";

// Two articles of the dress search in the bag (two of each), and the bag shown.
std::string fillBag() {
  return std::string(
             "alert Later\n"
             "search dress\n"
             "tap row.0.0\n") +
         kChoose +
         "tap \"CONTINUE SHOPPING\"\n"
         "back\n"
         "tap row.1.0\n" +
         kChoose + "tap CHECKOUT\n";
}

// The bag filled, the first line's quantity changed to 1, SAVE10 applied, then checkout.
std::string fillBagAndCheckOut() {
  return fillBag() +
         "tap nav.right\n"
         "tap row.0.0\n"
         "pick picker 0\n"
         "done\n"
         "tap nav.right\n"
         "tap \"GET PROMO CODE\"\n"
         "pick picker 0\n"
         "done\n" +
         kSignInToCheckout;
}

class CheckoutScenario : public E2eFixture {};

TEST_F(CheckoutScenario, TwoArticlesAPromotionAndThePlacedOrder) {
  const CliRun run = cli().run(fillBagAndCheckOut() + kPlaceOrder +
                                   "tap HOME\n"
                                   "tab 2\n"
                                   "quit\n",
                               home());
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_EQ(run.err, "");

  const std::string bag = run.after("tap CHECKOUT");
  EXPECT_TRUE(has(bag, "== View Bag ==")) << bag;
  EXPECT_TRUE(has(bag, "row.1.0 merchandise total: | $ ")) << bag;
  EXPECT_TRUE(has(run.after("tap nav.right"), "== Edit Bag ==")) << run.out;
  const std::string promoted = run.out.substr(run.out.rfind("> done\n"));
  EXPECT_TRUE(has(promoted, "[REMOVE PROMO CODE]")) << promoted;
  EXPECT_TRUE(has(promoted, "tab.2 [my bag (3)]")) << promoted;

  const std::string shipping = run.after("tap \"SIGN IN\"");
  for (const char* part :
       {"== Check Out ==", "[shipping] | billing | summary", "(*) Standard", "New York"}) {
    EXPECT_TRUE(has(shipping, part)) << part << "\n" << shipping;
  }
  const std::string billing = run.out.substr(
      run.out.find("> tap \"CONTINUE CHECKOUT\"\n", run.out.find("> tap \"SIGN IN\"")));
  EXPECT_TRUE(has(billing, "Card Number: | ************")) << billing;

  const std::string confirmed = run.after("tap \"CONFIRM ORDER\"");
  std::smatch number;
  ASSERT_TRUE(std::regex_search(confirmed, number,
                                std::regex("Your order number is:\n *([A-Za-z0-9-]+)\n")))
      << confirmed;
  std::smatch total;
  ASSERT_TRUE(std::regex_search(confirmed, total, std::regex("total: \\| \\$([0-9.]+)\n")))
      << confirmed;
  EXPECT_TRUE(has(confirmed, "tab.2 my bag (0)") || has(confirmed, "tab.2 [my bag (0)]"))
      << confirmed;
  EXPECT_TRUE(has(run.after("tab 2"), "There are no items in your bag!")) << run.after("tab 2");

  // The server holds that order, with both lines (3 units) and the amount shown.
  const auto orders =
      query(server().dataDirectory(),
            "SELECT confirmation_number, promo_code, printf('%d.%02d', "
            "total_cents / 100, total_cents % 100), (SELECT count(*) || '/' || "
            "sum(quantity) FROM order_lines WHERE order_id = orders.id) FROM orders");
  ASSERT_EQ(orders.size(), 1u);
  EXPECT_EQ(orders[0], number[1].str() + "|SAVE10|" + total[1].str() + "|2/3");
}

TEST_F(CheckoutScenario, AnArticleThatCannotShipToCaliforniaIsListed) {
  const auto names = query(server().dataDirectory(),
                           "SELECT p.name FROM products p WHERE p.excluded_states LIKE '%CA%' AND "
                           "p.pdp_flag = 'SIMPLE' AND p.available = 1 AND NOT EXISTS (SELECT 1 "
                           "FROM upcs u WHERE u.product_id = p.id AND (u.type <> '' OR u.size = '' "
                           "OR u.colour = '' OR u.stock < 2)) ORDER BY p.id LIMIT 1");
  ASSERT_EQ(names.size(), 1u);
  const CliRun run =
      cli().run(std::string("alert Later\n"
                            "search \"") +
                    names[0] +
                    "\"\n"
                    "tap \"" +
                    names[0] + "\"\n" + kChoose + "tap CHECKOUT\n" + kSignInToCheckout +
                    "tap row.0.0\n"
                    "pick picker 1\n"
                    "done\n"
                    "tap \"CONTINUE CHECKOUT\"\n"
                    "tap \"EDIT ADDRESS\"\n"
                    "quit\n",
                home());
  ASSERT_EQ(run.status, 0) << run.describe();
  const std::string excluded = run.out.substr(run.out.rfind("> tap \"CONTINUE CHECKOUT\"\n"));
  EXPECT_TRUE(has(excluded,
                  "The following item(s) in your bag cannot be shipped to selected "
                  "shipping address."))
      << excluded;
  EXPECT_TRUE(has(excluded, names[0])) << excluded;
  EXPECT_TRUE(has(run.after("tap \"EDIT ADDRESS\""), "== Check Out ==")) << run.out;
}

TEST_F(CheckoutScenario, TheTimeLimitEndsCheckoutAndKeepsTheBag) {
  const CliRun run = cli().run(fillBag() + kSignInToCheckout +
                                   "wait 1800\n"
                                   "quit\n",
                               home());
  ASSERT_EQ(run.status, 0) << run.describe();
  const std::string after = run.after("wait 1800");
  EXPECT_TRUE(has(after, "== View Bag ==")) << after;
  EXPECT_TRUE(has(after, "tab.2 [my bag (4)]")) << after;
}

// The bag a restarted client reads from `home`.
std::string bagAfterRestart(const KeldaCli& cli, const std::filesystem::path& home) {
  const CliRun again = cli.run("tab 2\nquit\n", home);
  return again.out;
}

TEST_F(CheckoutScenario, OrdersTheServerNeverConfirmedLeaveTheBag) {
  for (const char* fault : {"close", "http500", "notjson", "delay:30"}) {
    TempDirectory work;
    MiddlewareOptions options;
    options.faults = std::string("keldas_processorder=") + fault;
    Middleware faulty(work.path(), options);
    KeldaCli client(faulty.address(), faulty.ctrAddress(), work.path());
    const bool killed = std::string(fault) == "delay:30";
    // The slow answer: the client is killed while the order is on its way.
    const CliRun run = client.run(fillBag() + kSignInToCheckout + kPlaceOrder + "quit\n",
                                  work.path() / "home", std::chrono::seconds(killed ? 20 : 60));
    if (killed) {
      EXPECT_TRUE(run.timedOut) << fault;
    } else {
      ASSERT_EQ(run.status, 0) << fault << run.describe();
      const std::string after = run.after("tap \"CONFIRM ORDER\"");
      EXPECT_TRUE(has(after, "shipping | billing | [summary]")) << fault << "\n" << after;
      EXPECT_TRUE(has(after, "tab.2 [my bag (4)]")) << fault << "\n" << after;
    }
    const std::string bag = bagAfterRestart(client, work.path() / "home");
    EXPECT_TRUE(has(bag, "tab.2 [my bag (4)]")) << fault << "\n" << bag;
    EXPECT_LE(query(faulty.dataDirectory(), "SELECT id FROM orders").size(), 1u) << fault;
  }
}

}  // namespace
}  // namespace kelda::test

// The bag screen as a shopper meets it against a fake middleware: the empty bag, the totals
// request's exact body and rows, totals that belong to the bag on screen, the per-line notices
// of edit mode, quantity changes and deletes, and promotion codes (a list that never comes, a
// refused code, a pick whose request fails).
#include <string>

#include "bag/BagRequests.hpp"
#include "bag/BagScreenFixture.hpp"
#include "bag/ViewBagController.hpp"
#include "bag/ViewBagData.hpp"
#include "support/FakeMiddleware.hpp"

namespace kelda::test {
namespace {

using bag::ViewBagController;

class BagScreenTest : public BagScreenFixture {};

constexpr const char* kOrderLine =
    R"({"setUpcID":"9","setUpcNumber":"U9","setProductId":"P9","setAddByApp":"Y",)"
    R"("setBaseFeeExempt":"N","setSurchargeFee":"0","setOrderMethod":"SHIP",)"
    R"("setProductTaxwareCode":"TX","setLineId":"1","setItemSequenceNumber":"1",)"
    R"("setCustomPrice":"0.00","setPrice":"19.99","setQuantity":"2","setFobFeeFlag":"N"})";

TEST_F(BagScreenTest, AnEmptyBagShowsItsMessageAndAsksNothing) {
  openBag();
  EXPECT_TRUE(shows("row.0.1 There are no items in your bag!")) << screen();
  EXPECT_FALSE(shows("CONTINUE CHECKOUT"));
  EXPECT_FALSE(shows("[Edit]"));
  EXPECT_TRUE(server().requestsTo("/keldas_viewbag").empty());
}

TEST_F(BagScreenTest, TotalsAreAskedForTheWholeBagAndShownAsTheServerSentThem) {
  addLine("9", "Silk Dress", "2");
  openBag();
  ASSERT_EQ(server().requestsTo("/keldas_viewbag").size(), 1u);
  EXPECT_EQ(server().lastRequest("/keldas_viewbag")->body,
            std::string("itemBOAttr=[") + kOrderLine +
                "]&contactId=11&loginUserName=demo@kelda.test&loginPassword=kelda123"
                "&promoCode=&shopAction5TagAttr=[{\"categoryFlag\":\"SEARCH\",\"categoryId\":"
                "\"\",\"productQty\":\"2\",\"productPrice\":\"19.99\",\"productId\":\"P9\","
                "\"productName\":\"Silk Dress\"}]");
  const std::string shown = screen();
  for (const char* part :
       {"Silk Dress", "Total:\n    $39.98", "merchandise total: | $ 45.98", "promotions: | $ -4.60",
        "[GET PROMO CODE]", "[CONTINUE CHECKOUT]", "tab.2 [my bag (2)]"}) {
    EXPECT_NE(shown.find(part), std::string::npos) << part << "\n" << shown;
  }
  EXPECT_FALSE(shows("(disabled)"));
}

TEST_F(BagScreenTest, WithoutCurrentTotalsNeitherCheckoutNorPromotionCodes) {
  addLine("9", "Silk Dress");
  const struct {
    const char* name;
    FakeAnswer answer;
    const char* message;
  } cases[] = {
      {"closed", FakeAnswer{.closeWithoutAnswer = true}, bag::BagRequests::kUnexpectedErrorMessage},
      {"not JSON", FakeAnswer{.body = "<html>", .contentType = "text/html"},
       bag::BagRequests::kUnexpectedErrorMessage},
      {"no totals", FakeAnswer{.body = R"({"success":1,"error":0})"},
       bag::BagRequests::kUnexpectedErrorMessage},
      {"refused", FakeAnswer{.body = R"({"success":0,"error":true,"errorMsg":"Bag unreadable"})"},
       "Bag unreadable"},
  };
  for (const auto& c : cases) {
    // A first good answer, then a failing one for the changed bag.
    server().answer("/keldas_viewbag", totalsAnswer());
    openBag();
    ASSERT_FALSE(shows("(disabled)")) << c.name;
    server().answer("/keldas_viewbag", c.answer);
    tap("nav.right");  // Edit
    tap("row.0.0");    // the quantity picker
    act(ui::Actor(ui::Window::shared()).pick("picker", {"3"}));
    act(ui::Actor(ui::Window::shared()).done());
    tap("nav.right");  // Done: the changed bag is asked for
    EXPECT_EQ(takeAlert(), c.message) << c.name;
    EXPECT_TRUE(shows("[CONTINUE CHECKOUT] (disabled)")) << c.name << "\n" << screen();
    EXPECT_TRUE(shows("[GET PROMO CODE] (disabled)")) << c.name;
    EXPECT_FALSE(shows("merchandise total:")) << c.name;
    act(ui::Actor(ui::Window::shared()).tab("0"));
  }
}

TEST_F(BagScreenTest, EditModeNoticesBelongToTheLineTheyWereSentFor) {
  addLine("9", "First Dress");
  addLine("8", "Second Dress");
  // The server flags the second line as sent ("2") with a promotion and as unavailable.
  server().answer(
      "/keldas_viewbag",
      totalsAnswer(R"("dataValidator":{"2":1},"promotionResultsItem":{"2":)"
                   R"({"promotionDescription":"Shoe deal","amountDiscounted":"3.00"}},)"));
  openBag();
  auto lineText = [&](const std::string& row) {
    const std::string shown = screen();
    const auto at = shown.find(row + " ");
    const auto end = shown.find("\n  row.", at + 1);
    return shown.substr(at, end - at);
  };
  for (bool editing : {false, true}) {
    if (editing) tap("nav.right");
    const std::string first = lineText(editing ? "row.0.0" : "row.0.1");
    const std::string second = lineText(editing ? "row.0.1" : "row.0.2");
    EXPECT_NE(first.find("First Dress"), std::string::npos) << first;
    EXPECT_EQ(first.find("Shoe deal"), std::string::npos) << first;
    EXPECT_NE(second.find("Shoe deal"), std::string::npos) << second;
    EXPECT_NE(second.find("-$3.00"), std::string::npos) << second;
    EXPECT_NE(second.find("This Product is no longer available."), std::string::npos) << second;
  }
}

TEST_F(BagScreenTest, DeletingTheLastLineLeavesTheEmptyBagWithoutAnotherRequest) {
  addLine("9", "Silk Dress");
  openBag();
  tap("nav.right");
  act(ui::Actor(ui::Window::shared()).tap("row.0.0.delete"));
  tap("nav.right");
  EXPECT_EQ(bagQuantity(), 0);
  EXPECT_TRUE(shows("There are no items in your bag!")) << screen();
  EXPECT_EQ(server().requestsTo("/keldas_viewbag").size(), 1u);
  EXPECT_TRUE(shows("tab.2 [my bag (0)]"));
}

TEST_F(BagScreenTest, AQuantityAboveWhatIsInStockIsStoredAndMustBeFixed) {
  addLine("9", "Silk Dress");
  state().setOrderConfirmationResult(json::JSONValue(
      R"({"upcAvailability":{"U9":{"qtyAvailable":3}},"shippingMethodAvailability":{"U9":["G"]}})"));
  state().setOrderFail("Y");
  openBag();
  EXPECT_EQ(bagScreen_->title(), "Edit Bag");
  tap("row.0.0");
  act(ui::Actor(ui::Window::shared()).pick("picker", {"5"}));
  act(ui::Actor(ui::Window::shared()).done());
  EXPECT_EQ(takeAlert(),
            "This item has only 3 number of quantity available. Please select at the maximum of 3 "
            "items");
  EXPECT_EQ(bagQuantity(), 5);
  tap("nav.right");
  EXPECT_EQ(takeAlert(), ViewBagController::kUpdateBagMessage);
  EXPECT_EQ(bagScreen_->title(), "Edit Bag");
  // Within stock: the bag may leave edit mode and is asked for again.
  tap("row.0.0");
  act(ui::Actor(ui::Window::shared()).pick("picker", {"2"}));
  act(ui::Actor(ui::Window::shared()).done());
  tap("nav.right");
  EXPECT_EQ(bagScreen_->title(), "View Bag");
  EXPECT_NE(server().lastRequest("/keldas_viewbag")->body.find(R"("setQuantity":"2")"),
            std::string::npos);
}

TEST_F(BagScreenTest, PromotionCodes) {
  addLine("9", "Silk Dress");
  openBag();
  // Accepted: the code goes with the totals request and can be removed.
  std::string applied = totalsAnswer();
  applied.replace(applied.find(R"("promoFlag":0)"), 13, R"("promoFlag":1)");
  server().answer("/keldas_viewbag", applied);
  tap("GET PROMO CODE");
  EXPECT_TRUE(shows("Take 10% off")) << screen();
  act(ui::Actor(ui::Window::shared()).done());
  EXPECT_NE(server().lastRequest("/keldas_viewbag")->body.find("&promoCode=SAVE10&"),
            std::string::npos);
  EXPECT_TRUE(shows("[GET PROMO CODE] (dimmed)")) << screen();
  server().answer("/keldas_viewbag", totalsAnswer());
  tap("REMOVE PROMO CODE");
  EXPECT_NE(server().lastRequest("/keldas_viewbag")->body.find("&promoCode=&"), std::string::npos);

  // Refused: said so, and not sent again.
  tap("GET PROMO CODE");
  act(ui::Actor(ui::Window::shared()).done());
  EXPECT_EQ(takeAlert(), ViewBagController::kInvalidPromoMessage);
  EXPECT_EQ(state().promoCode().str(), "");

  // The request fails: that is no refusal, and the bag keeps the code it had.
  server().answer("/keldas_viewbag", FakeAnswer{.closeWithoutAnswer = true});
  tap("GET PROMO CODE");
  act(ui::Actor(ui::Window::shared()).done());
  EXPECT_EQ(takeAlert(), bag::BagRequests::kUnexpectedErrorMessage);
  EXPECT_EQ(takeAlert(), "");
  EXPECT_EQ(state().promoCode().str(), "");
}

TEST_F(BagScreenTest, APromotionListThatNeverComesFreesTheScreen) {
  addLine("9", "Silk Dress");
  openBag();
  for (const char* answer : {R"({"data":[]})", "not json"}) {
    server().answer("/get_promo", answer);
    tap("GET PROMO CODE");
    EXPECT_EQ(takeAlert(), "");  // still waiting: the busy overlay holds the screen
    advanceBy(std::chrono::seconds(11));
    EXPECT_EQ(takeAlert(), ViewBagController::kNoPromotionsMessage) << answer;
    EXPECT_FALSE(shows("Busy: please wait")) << screen();
    tap("CONTINUE CHECKOUT");  // the screen acts again
    act(ui::Actor(ui::Window::shared()).back());
  }
}

}  // namespace
}  // namespace kelda::test

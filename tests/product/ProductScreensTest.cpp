// The simple product page as a shopper uses it: its pages and rows, choosing size, colour and
// quantity, the checks before adding, adding to the bag (new line or merged quantity) and the
// added-to-bag screen.
#include <gtest/gtest.h>

#include <string>

#include "bag/CoreDataHandler.hpp"
#include "gateway/GlobalFlags.hpp"
#include "platform/UrlOpener.hpp"
#include "product/AddToBagController.hpp"
#include "product/PDPMoreViewController.hpp"
#include "product/PDPZoomingImageCell.hpp"
#include "product/ProductFixture.hpp"
#include "product/SimplePDPReviewsController.hpp"
#include "product/SizeColorQuantityController.hpp"
#include "stores/FindInStoreViewController.hpp"
#include "support/PoliciesViewController.hpp"

namespace kelda::product {
namespace {

bag::CoreDataHandler& store() {
  return bag::CoreDataHandler::sharedCoreDataHandler();
}

// The bag lines as "UPC quantity price colour size".
std::vector<std::string> bagLines() {
  store().fetchExistingBagItems();
  std::vector<std::string> lines;
  for (const auto& line : store().fetchBagItemsArray()) {
    lines.push_back(line.setUpcID.value_or("-") + " " + line.setQuantity.value_or("-") + " " +
                    line.setPrice.value_or("-") + " " + line.setColor.value_or("-") + " " +
                    line.setSize.value_or("-"));
  }
  return lines;
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class ProductScreens : public ProductFixture {};

TEST_F(ProductScreens, MainPageShowsTheProductItsChoicesAndItsLinks) {
  open(teeAnswer());
  const std::string page = screen();
  EXPECT_TRUE(contains(page, "== Organic Cotton Tee... ==")) << page;
  for (const char* line :
       {"Organic Cotton Tee Shirt", "A soft tee", "(25)", "sale $19.99", "reg $30.00",
        "size: | Select Size", "color: | Select Color", "quantity: | Select Quantity",
        "[ADD TO BAG]", "[FIND IT IN STORE]", "Questions?", "for more information,", "[CALL NOW]",
        "Ships in 2 days.", "Free returns.", "for complete details, read our",
        "[Pricing policy.]"}) {
    EXPECT_TRUE(contains(page, line)) << line << "\n" << page;
  }
  EXPECT_FALSE(contains(page, "type:")) << page;
  EXPECT_LT(page.find("size:"), page.find("color:"));
  EXPECT_LT(page.find("quantity:"), page.find("[ADD TO BAG]"));
  EXPECT_LT(page.find("[CALL NOW]"), page.find("Ships in 2 days."));

  tap("CALL NOW");
  EXPECT_EQ(platform::UrlOpener::shared().opened(),
            (std::vector<std::string>{"tel://1-800-555-0199"}));
  tap("Pricing policy.");
  auto* policy = dynamic_cast<support::PoliciesViewController*>(top());
  ASSERT_NE(policy, nullptr);
  EXPECT_EQ(policy->webView().url(),
            "http://" + server().address() +
                "/service/start/safeshopping/pricing.jsp?width=320&height=480");
  EXPECT_TRUE(contains(screen(), "< Previous")) << screen();
  act(ui::Actor(ui::Window::shared()).back());
  ASSERT_NE(productPage(), nullptr);
  EXPECT_EQ(productPage()->currentPage(), 0);
}

TEST_F(ProductScreens, FindInStoreOpensForAChosenEligibleArticleOnly) {
  json::Value answer = teeAnswer();
  answer = answer.with("UPCAvailabilityChecker",
                       answer["UPCAvailabilityChecker"].with(
                           "903", article("903", 1, "11.00").with("InStoreEligibilityFlag", 0)));
  open(answer);
  tap("FIND IT IN STORE");
  EXPECT_EQ(takeAlert(),
            "Please ensure that you have selected a size for the item you are trying to find "
            "in-store.");
  choose("size:", "S");
  tap("FIND IT IN STORE");
  EXPECT_EQ(takeAlert(),
            "Please ensure that you have selected a color for the item you are trying to find "
            "in-store.");
  choose("color:", "Blue");  // Blue S may not be looked for in stores
  tap("FIND IT IN STORE");
  EXPECT_EQ(takeAlert(), "We're sorry, this item cannot be found in stores.");

  choose("color:", "Red");  // no quantity is needed
  tap("FIND IT IN STORE");
  auto* finder = dynamic_cast<stores::FindInStoreViewController*>(top());
  ASSERT_NE(finder, nullptr) << screen();
  EXPECT_EQ(json::JSONRepresentation(finder->record().with("Image Data", "")),
            R"({"Title":"Organic Cotton Tee Shirt","Price":"19.99","Color":"Red","Size":"S",)"
            R"("Image Data":"","upcNumber":"0000902"})");
  EXPECT_EQ(finder->pageFlag(), stores::FindInStoreViewController::kSearchForm);
}

TEST_F(ProductScreens, LeavingAPageOpenedOnItsPicturesClearsTheSharedChoice) {
  open(teeAnswer(), PDPViewsController::kMoreImagesPage);
  ASSERT_EQ(productPage()->currentPage(), PDPViewsController::kMoreImagesPage);
  state().setPdpSelectedSize("M");
  state().setPdpSelectedColor("Red");
  act(ui::Actor(ui::Window::shared()).back());
  EXPECT_EQ(top(), home_.get());
  EXPECT_EQ(state().pdpSelectedSize().str(), "");
  EXPECT_EQ(state().pdpSelectedColor().str(), "");
}

TEST_F(ProductScreens, PagesAreMadeWhenFirstShownAndTagged) {
  open(teeAnswer());
  auto* page = productPage();
  EXPECT_NE(page->page(0), nullptr);
  EXPECT_EQ(page->page(1), nullptr);
  EXPECT_EQ(page->page(2), nullptr);
  // A tap on the product cell turns to the details page.
  tap("row.0.0");
  EXPECT_EQ(page->currentPage(), 1);
  const std::string details = screen();
  for (const char* line : {"100% cotton", "Machine wash", "[CLICK TO CALL]",
                           "[MORE VIEWS & COLORS]", "size: | Select Size"}) {
    EXPECT_TRUE(contains(details, line)) << line << "\n" << details;
  }
  tap("MORE VIEWS & COLORS");
  EXPECT_EQ(page->currentPage(), 3);
  auto* more = dynamic_cast<PDPMoreViewController*>(page->page(3).get());
  ASSERT_NE(more, nullptr);
  // Two further views and one swatch; the large picture starts with the detail image.
  EXPECT_EQ(more->tableView().numberOfRowsInSection(1), 3);
  EXPECT_EQ(more->shownImage(), "");
  tap("row.1.2");
  EXPECT_EQ(more->shownImage(), "http://img/sf1.png");
  auto zoom = std::dynamic_pointer_cast<PDPZoomingImageCell>(
      more->tableView().cellForRowAtIndexPath({0, 0}));
  ASSERT_NE(zoom, nullptr);
  EXPECT_EQ(zoom->url(), "http://img/sf1.png");
  act(ui::Actor(ui::Window::shared()).page("2"));
  EXPECT_EQ(pageTags(), (std::vector<std::string>{"mobile.details.pdp", "mobile.zoom.image.pdp",
                                                  "mobile.reviews.pdp"}));
}

TEST_F(ProductScreens, ChoosingSizeColourAndQuantityThenAddingToTheBag) {
  open(teeAnswer());
  tap("ADD TO BAG");
  EXPECT_EQ(
      takeAlert(),
      "Please ensure that you have selected a size for the item you are trying to add to bag");
  tap("size:");
  auto* picker = dynamic_cast<SizeColorQuantityController*>(top());
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(picker->title(), "Select Size");
  EXPECT_TRUE(picker->willSelectSize());
  tap("M");
  ASSERT_NE(productPage(), nullptr);
  EXPECT_EQ(state().pdpSelectedSize().str(), "M");
  choose("color:", "Blue");  // Blue M is sold out
  choose("quantity:", "2");
  tap("ADD TO BAG");
  EXPECT_EQ(takeAlert(),
            "Sorry! currently the product is not available for selected Size & Color combination");
  choose("color:", "Red");
  // The picker remembers the row chosen last in each mode.
  tap("size:");
  EXPECT_TRUE(contains(screen(), "row.0.1 M (checked)")) << screen();
  tap("S");
  tap("size:");
  EXPECT_TRUE(contains(screen(), "row.0.0 S (checked)")) << screen();
  tap("M");
  const std::string page = screen();
  for (const char* line : {"size: | M >", "color: | Red >", "quantity: | 2 >"}) {
    EXPECT_TRUE(contains(page, line)) << line << "\n" << page;
  }
  EXPECT_TRUE(productPage()->inStoreEligible());

  tap("ADD TO BAG");
  ASSERT_NE(dynamic_cast<AddToBagController*>(top()), nullptr) << screen();
  EXPECT_EQ(bagLines(), (std::vector<std::string>{"900 2 12.99 Red M"}));
  const std::string added = screen();
  for (const char* line :
       {"== Add To Bag ==", "Organic Cotton Tee Shirt", "A soft tee", "Price:", "$12.99",
        "Qty:", "total: | $ 25.98", "-- my bag --", "items: | 1", "sub total: | $ 25.98",
        "[CONTINUE SHOPPING]", "[CHECKOUT]", "tab.2 my bag (2)"}) {
    EXPECT_TRUE(contains(added, line)) << line << "\n" << added;
  }
  EXPECT_EQ(pageTags().back(), "mobile.atb.layer.bag");

  // Again: the line's quantity grows, up to the article's maximum of 3.
  tap("CONTINUE SHOPPING");
  ASSERT_NE(productPage(), nullptr);
  tap("ADD TO BAG");
  EXPECT_EQ(takeAlert(),
            "We're sorry, You've exceeded the maximum quantity allowed for this item.");
  EXPECT_EQ(bagLines(), (std::vector<std::string>{"900 2 12.99 Red M"}));
  choose("quantity:", "1");
  tap("ADD TO BAG");
  EXPECT_EQ(bagLines(), (std::vector<std::string>{"900 3 12.99 Red M"}));
  EXPECT_TRUE(contains(screen(), "tab.2 my bag (3)")) << screen();

  // CHECKOUT leaves for the my-bag tab with both stacks at their roots.
  bagStack_->pushViewController(std::make_shared<ui::ViewController>(), false);
  tap("CHECKOUT");
  EXPECT_EQ(tabs_->selectedIndex(), 2);
  EXPECT_EQ(bagStack_->viewControllers().size(), 1u);
  EXPECT_EQ(homeStack_->viewControllers().size(), 1u);
}

TEST_F(ProductScreens, TheConfirmationShowsThePriceOfTheArticleJustAdded) {
  // The article is already in the bag from an earlier run; the price of this run's last add is
  // still 0.
  open(teeAnswer());
  ASSERT_TRUE(store().addNewRowInEntityWithObject("900", "1", "12.99", "Red", "M"));
  choose("size:", "M");
  choose("color:", "Red");
  choose("quantity:", "1");
  tap("ADD TO BAG");
  EXPECT_EQ(bagLines(), (std::vector<std::string>{"900 2 12.99 Red M"}));
  const std::string added = screen();
  EXPECT_TRUE(contains(added, "$12.99")) << added;
  EXPECT_TRUE(contains(added, "total: | $ 12.99")) << added;
  EXPECT_TRUE(contains(added, "sub total: | $ 25.98")) << added;
  EXPECT_EQ(gateway::GlobalFlags::shared().currentItemPriceCents, 1299);
}

TEST_F(ProductScreens, AProductWithoutDetailsStillShowsEveryPage) {
  open(json::JSONValue(R"({"PDPFLAG":"SIMPLE","data":[{}]})"));
  for (const char* page : {"1", "3", "2"}) act(ui::Actor(ui::Window::shared()).page(page));
  // No "reviewCount": the notice and no rows.
  EXPECT_TRUE(productPage()->reviewsPage()->noticeShown());
  EXPECT_EQ(productPage()->reviewsPage()->tableView().numberOfSections(), 0);
  EXPECT_TRUE(contains(screen(), "There are currently no reviews for this product.")) << screen();
  act(ui::Actor(ui::Window::shared()).page("0"));
  EXPECT_TRUE(contains(screen(), "quantity: | Select Quantity")) << screen();
  tap("ADD TO BAG");
  EXPECT_EQ(takeAlert(),
            "Please ensure that you have selected a quantity for the item you are trying to add "
            "to bag");
  EXPECT_TRUE(bagLines().empty());
}

}  // namespace
}  // namespace kelda::product

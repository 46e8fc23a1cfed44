// The reviews page of a product page: pages of reviews appended by "More Reviews", the notice
// for a product without reviews, a review in full, and a page that does not arrive.
#include <gtest/gtest.h>

#include <string>

#include "bag/CoreDataHandler.hpp"
#include "product/CustomProductReviewCell.hpp"
#include "product/PDPReviewsViewController.hpp"
#include "product/ProductFixture.hpp"
#include "product/SimplePDPReviewsController.hpp"

namespace kelda::product {
namespace {

// The answer to a "More Reviews" request: the standard product carrying `page`.
std::string reviewPage(const json::Value& page, int nextPage) {
  json::Value answer = withProduct(teeAnswer(), "reviewPageNumber", nextPage).with("reviews", page);
  return json::JSONRepresentation(answer).value_or("");
}

class ReviewsScreen : public ProductFixture {
 protected:
  SimplePDPReviewsController* reviewsPage() { return productPage()->reviewsPage(); }
  std::size_t shown() { return reviewsPage()->reviewsArray().size(); }
  void turnToReviews() { act(ui::Actor(ui::Window::shared()).page("2")); }
};

TEST_F(ReviewsScreen, PagesAreAppendedUntilTheLastOne) {
  open(teeAnswer());
  turnToReviews();
  ASSERT_NE(reviewsPage(), nullptr);
  EXPECT_EQ(shown(), 10u);
  EXPECT_TRUE(reviewsPage()->showsMoreReviews());
  EXPECT_FALSE(reviewsPage()->noticeShown());

  server().answer("/product", reviewPage(reviews(10, 10), 3));
  tap("More Reviews");
  EXPECT_EQ(server().lastRequest("/product")->body, "productId=77&reviewPageNumber=2");
  EXPECT_EQ(shown(), 20u);
  // The last page announces more than remain: only what "reviewCount" leaves is shown.
  server().answer("/product", reviewPage(reviews(20, 10), 4));
  tap("More Reviews");
  EXPECT_EQ(server().lastRequest("/product")->body, "productId=77&reviewPageNumber=3");
  EXPECT_EQ(shown(), 25u);
  EXPECT_FALSE(reviewsPage()->showsMoreReviews());
  EXPECT_EQ(reviewsPage()->reviewsArray().back()["reviewTitle"].str(), "Review 24");
  EXPECT_EQ(screen().find("More Reviews"), std::string::npos);
  // Coming back from a review shows the same list, without asking again.
  tap("row.0.0");
  act(ui::Actor(ui::Window::shared()).back());
  EXPECT_EQ(productPage()->currentPage(), 2);
  EXPECT_EQ(shown(), 25u);
  EXPECT_EQ(server().requestsTo("/product").size(), 3u);
}

TEST_F(ReviewsScreen, AReviewOpensInFullAndLeadsBackToTheReviews) {
  json::Value long_review = json::Value::object({{"reviewTitle", std::string(61, 'T')},
                                                 {"reviewDesc", std::string(151, 'd')},
                                                 {"reviewer", "Ann"},
                                                 {"reviewLocation", "Boise"},
                                                 {"reviewDate", "03/04/2026"},
                                                 {"reviewRating", "3.5"}});
  open(teeAnswer().with("reviews", json::Value::array({long_review}).appended(reviews(1, 1)[0])));
  turnToReviews();
  auto cell = std::dynamic_pointer_cast<CustomProductReviewCell>(
      reviewsPage()->tableView().cellForRowAtIndexPath({0, 0}));
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->title().text, std::string(60, 'T') + "...");
  EXPECT_EQ(cell->text().text, std::string(150, 'd') + "...");
  EXPECT_DOUBLE_EQ(cell->stars().rating, 3.5);
  EXPECT_NE(screen().find("By Ann from Boise \n"), std::string::npos) << screen();
  EXPECT_NE(screen().find("on 03/04/2026"), std::string::npos) << screen();

  tap("row.0.0");
  auto* review = dynamic_cast<PDPReviewsViewController*>(top());
  ASSERT_NE(review, nullptr);
  EXPECT_EQ(review->title(), "Organic Cotton Tee...");
  EXPECT_EQ(state().pdpTabFlag().str(), "3");
  const std::string whole = screen();
  EXPECT_NE(whole.find(std::string(61, 'T')), std::string::npos) << whole;
  EXPECT_NE(whole.find(std::string(151, 'd')), std::string::npos) << whole;
  tap(PDPReviewsViewController::kBackButton);
  ASSERT_NE(productPage(), nullptr);
  EXPECT_EQ(productPage()->currentPage(), 2);
}

TEST_F(ReviewsScreen, APageThatDoesNotArriveKeepsTheListAndTheProduct) {
  open(teeAnswer());
  turnToReviews();
  for (test::FakeAnswer failure : {test::FakeAnswer{"", 500}, test::FakeAnswer{"{}", 200}}) {
    server().answer("/product", failure);
    tap("More Reviews");
    EXPECT_EQ(shown(), 10u);
    EXPECT_TRUE(reviewsPage()->showsMoreReviews());
  }
  // The product is still the one on screen: its articles can be added.
  act(ui::Actor(ui::Window::shared()).page("0"));
  choose("size:", "M");
  choose("color:", "Red");
  choose("quantity:", "1");
  tap("ADD TO BAG");
  bag::CoreDataHandler::sharedCoreDataHandler().fetchExistingBagItems();
  EXPECT_EQ(bag::CoreDataHandler::sharedCoreDataHandler().fetchBagItemsArray().size(), 1u);
  EXPECT_EQ(takeAlert(), "");

  // A page whose reviews are not a list adds nothing, but the page counter moves on.
  homeStack_->popToViewController(*homeStack_->viewControllers()[1], false);
  runUntilIdle();
  act(ui::Actor(ui::Window::shared()).page("2"));
  server().answer("/product", reviewPage(json::Value("none"), 3));
  tap("More Reviews");
  EXPECT_EQ(shown(), 10u);
  EXPECT_EQ(server().lastRequest("/product")->body, "productId=77&reviewPageNumber=2");
  server().answer("/product", reviewPage(reviews(10, 10), 4));
  tap("More Reviews");
  EXPECT_EQ(server().lastRequest("/product")->body, "productId=77&reviewPageNumber=3");
}

}  // namespace
}  // namespace kelda::product

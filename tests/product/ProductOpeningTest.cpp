// Opening product pages from the result list and the home bag summary: the page by "PDPFLAG"
// and the start page, answers that open nothing, and a product page that comes back after
// another product was opened elsewhere.
#include <gtest/gtest.h>

#include <string>

#include "bag/CoreDataHandler.hpp"
#include "catalogue/HomeViewController.hpp"
#include "catalogue/ResultAsyncCell.hpp"
#include "catalogue/ResultViewController.hpp"
#include "product/CollectionViewsController.hpp"
#include "product/PDPMainCommonCell.hpp"
#include "product/ProductFixture.hpp"
#include "product/TabCollectionViewsController.hpp"

namespace kelda::product {
namespace {

std::string answerText(const json::Value& answer) {
  return json::JSONRepresentation(answer).value_or("");
}

class ProductOpening : public ProductFixture {
 protected:
  // A search result list of products 77 and 78 on the home tab.
  catalogue::ResultViewController* showResults() {
    state().setSearchPageFlag(2);
    state().setPageFlag(2);
    state().setSearchTitle("Search for tee");
    state().setSearchResultsDictionary(json::JSONValue(
        R"({"data":[{"prodId":"77","available":1},{"prodId":"78","available":1}],
            "extra":[{"totalCount":"2","pageLimit":"20","pageNumber":"2"}]})"));
    homeStack_->pushViewController(std::make_shared<catalogue::ResultViewController>(), false);
    runUntilIdle();
    return dynamic_cast<catalogue::ResultViewController*>(top());
  }
};

TEST_F(ProductOpening, ARowOpensTheSimplePageAndAPictureItsImagesPage) {
  auto* list = showResults();
  ASSERT_NE(list, nullptr);
  server().answer("/product", answerText(teeAnswer()));
  tap("row.0.0");
  EXPECT_EQ(server().lastRequest("/product")->body, "productId=77&categoryId=&categoryFlag=SEARCH");
  ASSERT_NE(productPage(), nullptr);
  EXPECT_EQ(productPage()->currentPage(), 0);
  EXPECT_EQ(state().pdpTabFlag().str(), "1");
  act(ui::Actor(ui::Window::shared()).back());

  auto cell = std::dynamic_pointer_cast<catalogue::ResultAsyncCell>(
      list->tableView().cellForRowAtIndexPath({1, 0}));
  cell->imageButton().sendAction();
  runUntilIdle();
  ASSERT_NE(productPage(), nullptr);
  EXPECT_EQ(productPage()->currentPage(), 3);
  EXPECT_EQ(pageTags().back(), "mobile.zoom.image.pdp");
  act(ui::Actor(ui::Window::shared()).back());

  // Collections open their own pages (on the more-images page from the picture); other kinds
  // open nothing.
  server().answer("/product", answerText(teeAnswer().with("PDPFLAG", "ITEM")));
  tap("row.0.0");
  auto* collection = dynamic_cast<CollectionViewsController*>(top());
  ASSERT_NE(collection, nullptr);
  EXPECT_EQ(collection->currentPage(), 0);
  act(ui::Actor(ui::Window::shared()).back());
  server().answer("/product", answerText(teeAnswer().with("PDPFLAG", "TAB")));
  cell->imageButton().sendAction();
  runUntilIdle();
  auto* tabbed = dynamic_cast<TabCollectionViewsController*>(top());
  ASSERT_NE(tabbed, nullptr);
  EXPECT_EQ(tabbed->currentPage(), 3);
  act(ui::Actor(ui::Window::shared()).back());
  server().answer("/product", answerText(teeAnswer().with("PDPFLAG", "BUNDLE")));
  tap("row.0.0");
  EXPECT_EQ(top(), list);
}

TEST_F(ProductOpening, OnlyTheRequestsOwnAnswerOpensAProduct) {
  auto* list = showResults();
  server().answer("/product", answerText(teeAnswer()));
  tap("row.0.0");
  ASSERT_NE(productPage(), nullptr);
  act(ui::Actor(ui::Window::shared()).back());
  // Product 78 does not come: neither product 77 (still the shared answer) nor anything opens.
  for (test::FakeAnswer failure :
       {test::FakeAnswer{"", 500}, test::FakeAnswer{"", 200, "application/json", {}, false, true},
        test::FakeAnswer{R"({"data":[],"error":true,"errorMsg":"Unknown product"})", 200}}) {
    server().answer("/product", failure);
    tap("row.1.0");
    EXPECT_EQ(top(), list);
    EXPECT_EQ(server().lastRequest("/product")->body,
              "productId=78&categoryId=&categoryFlag=SEARCH");
  }
  forceReachability(platform::ForcedReachability::None);
  const std::size_t sent = server().requestsTo("/product").size();
  tap("row.1.0");
  EXPECT_EQ(takeAlert(), "No connection found, please try again later.");
  EXPECT_EQ(top(), list);
  EXPECT_EQ(server().requestsTo("/product").size(), sent);
}

TEST_F(ProductOpening, ABagRowOpensItsProductOnlyFromItsOwnAnswer) {
  state().setProductDescriptionList(teeAnswer());
  state().setCoreMetricsCategoryId("");
  state().setCategoryFlag("SEARCH");
  ASSERT_TRUE(bag::CoreDataHandler::sharedCoreDataHandler().addNewRowInEntityWithObject(
      "900", "1", "12.99", "Red", "M"));
  auto home = std::make_shared<catalogue::HomeViewController>();
  homeStack_->pushViewController(home, false);
  runUntilIdle();
  server().answer("/product", answerText(teeAnswer()));
  tap("row.0.2");
  EXPECT_EQ(server().lastRequest("/product")->body, "productId=77&categoryId=&categoryFlag=SEARCH");
  ASSERT_NE(productPage(), nullptr);
  act(ui::Actor(ui::Window::shared()).back());
  ASSERT_EQ(top(), home.get());
  server().answer("/product", test::FakeAnswer{"", 500});
  tap("row.0.2");
  EXPECT_EQ(top(), home.get());
  forceReachability(platform::ForcedReachability::None);
  tap("row.0.2");
  EXPECT_EQ(takeAlert(), "No connection found, please try again later.");
  EXPECT_EQ(top(), home.get());
}

TEST_F(ProductOpening, APageComingBackPutsItsOwnProductBack) {
  open(teeAnswer());
  // Another product opens on the my-bag tab meanwhile.
  json::Value other = withProduct(teeAnswer(), "prodId", "78")
                          .with("UPCMapper", json::JSONValue(R"({"Red-M--78":"990"})"));
  server().answer("/product", answerText(other));
  ASSERT_EQ(ProductRequests::resultForProductDescription("78", "", "SEARCH"),
            gateway::RequestStatus::Answered);
  tabs_->setSelectedIndex(2);
  ASSERT_TRUE(openProductPage(*bagStack_, {"SIMPLE", std::nullopt, false}));
  runUntilIdle();
  tabs_->setSelectedIndex(0);
  runUntilIdle();
  EXPECT_EQ(state().productDescriptionList()["data"][0]["prodId"].str(), "77");
  choose("size:", "M");
  choose("color:", "Red");
  choose("quantity:", "1");
  tap("ADD TO BAG");
  auto& store = bag::CoreDataHandler::sharedCoreDataHandler();
  store.fetchExistingBagItems();
  ASSERT_EQ(store.fetchBagItemsArray().size(), 1u);
  EXPECT_EQ(store.fetchBagItemsArray()[0].setUpcID, "900");
  EXPECT_EQ(store.fetchBagItemsArray()[0].setPDPProductId, "77");
}

TEST_F(ProductOpening, AProductPictureThatIsNotAPictureShowsThePlaceholder) {
  server().answer("/img/bad.png", test::FakeAnswer{"not a picture", 200, "image/png"});
  open(withProduct(teeAnswer(), "imageSource", server().url("/img/bad.png")));
  auto cell = std::dynamic_pointer_cast<PDPMainCommonCell>(
      productPage()->page(0)->tableView().cellForRowAtIndexPath({0, 0}));
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->picture().imageName, "noImage2.png");
  EXPECT_EQ(cell->picture().imageData, nullptr);
}

}  // namespace
}  // namespace kelda::product

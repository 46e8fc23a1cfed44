// Collection pages as a shopper uses them: the plain and the tabbed collection with their
// children, opening a child's product page and adding it to the bag, coming back to the page
// left, the collection's reviews, and collections and children that come oddly or not at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bag/CoreDataHandler.hpp"
#include "gateway/GlobalFlags.hpp"
#include "product/CollectionPDPMainViewController.hpp"
#include "product/CollectionViewsController.hpp"
#include "product/PDPReviewsViewController.hpp"
#include "product/ProductFixture.hpp"
#include "product/TabCollectionViewsController.hpp"

namespace kelda::product {
namespace {

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

json::Value child(const char* id, const char* name, const char* price) {
  return json::Value::object({{"childProductId", id},
                              {"childProductName", name},
                              {"childProductsalePrice", price},
                              {"childImageSource", ""}});
}

// A collection of the tee (77) and a sheet (78), opened from a browsed category; the tabbed
// form puts the tee under "Tops" and the sheet and a pillow (79) under "Bottoms".
json::Value collectionAnswer(const char* kind) {
  json::Value answer = json::JSONValue(R"({"categoryFlag":"BROWSE_WHEEL","categoryId":"4001",
    "data":[{"prodId":"500","prodName":"Linen Bedding Collection","prodDesc":"Mix and match",
      "newPrice":"","oldPrice":"99.00","priceTypeFlag":"EDV","available":"1","reviewCount":"2",
      "reviewPageNumber":"2","reviewPageLimit":"10","total_pages":"1",
      "imageSourceDetail":"http://img/c.png"}],
    "attributes":["Pure linen","Machine wash"]})")
                           .with("PDPFLAG", kind)
                           .with("reviews", reviews(0, 2));
  const json::Value tee = child("77", "Organic Cotton Tee Shirt", "19.99");
  const json::Value sheet = child("78", "Linen Sheet", "49.00");
  if (std::string(kind) == "ITEM")
    return answer.with("childProducts", json::Value::array({tee, sheet}));
  return answer
      .with("childProducts",
            json::Value::object(
                {{"Tops", json::Value::array({tee})},
                 {"Bottoms", json::Value::array({sheet, child("79", "Pillow", "15.00")})}}))
      .with("pdpTabName", json::Value::array({"Tops", "Bottoms"}));
}

class CollectionScreens : public ProductFixture {
 protected:
  // Stores `answer` through the product request and opens its collection page.
  void openCollection(const json::Value& answer, std::optional<int> startPage = std::nullopt) {
    answerProduct(answer);
    ASSERT_EQ(ProductRequests::resultForProductDescription("500", "", "SEARCH"),
              gateway::RequestStatus::Answered);
    ASSERT_TRUE(openProductPage(*homeStack_, {answer["PDPFLAG"].str(), startPage, false}));
    runUntilIdle();
    ASSERT_NE(collection(), nullptr) << screen();
  }
  CollectionViewsController* collection() {
    return dynamic_cast<CollectionViewsController*>(top());
  }
  void turnTo(const char* page) { act(ui::Actor(ui::Window::shared()).page(page)); }
  void back() { act(ui::Actor(ui::Window::shared()).back()); }
  void answerProduct(const json::Value& answer) {
    server().answer("/product", json::JSONRepresentation(answer).value_or(""));
  }
  std::vector<std::string> bagUpcs() {
    auto& store = bag::CoreDataHandler::sharedCoreDataHandler();
    store.fetchExistingBagItems();
    std::vector<std::string> upcs;
    for (const auto& line : store.fetchBagItemsArray()) {
      upcs.push_back(line.setUpcID.value_or("-") + " x" + line.setQuantity.value_or("-"));
    }
    std::sort(upcs.begin(), upcs.end());
    return upcs;
  }
};

TEST_F(CollectionScreens, AChildIsChosenAddedToTheBagAndThePageLeftComesBack) {
  openCollection(collectionAnswer("ITEM"));
  auto* page = collection();
  const std::string main = screen();
  for (const char* line : {"== Linen Bedding Coll... ==", "[Previous]", "Linen Bedding Collection",
                           "Mix and match", "Organic Cotton Tee Shirt", "$19.99", "Linen Sheet",
                           "$49.00", "Everyday Value", "pages: [0] 1 2 3"}) {
    EXPECT_TRUE(contains(main, line)) << line << "\n" << main;
  }
  EXPECT_LT(main.find("Mix and match"), main.find("Organic Cotton Tee Shirt"));
  EXPECT_LT(main.find("Organic Cotton Tee Shirt"), main.find("Linen Sheet"));

  // The summary turns to the details page: the name over the attributes, then the children.
  tap("row.0.0");
  EXPECT_EQ(page->currentPage(), 1);
  const std::string details = screen();
  for (const char* line : {"-- Linen Bedding Collection --", "Pure linen", "Machine wash",
                           "Linen Sheet", "[MORE VIEWS & COLORS]"}) {
    EXPECT_TRUE(contains(details, line)) << line << "\n" << details;
  }

  // The child is asked for with the analytics context the collection came with.
  answerProduct(teeAnswer());
  tap("row.1.0");
  EXPECT_EQ(server().lastRequest("/product")->body,
            "productId=77&categoryId=4001&categoryFlag=BROWSE_WHEEL");
  ASSERT_NE(productPage(), nullptr) << screen();
  EXPECT_EQ(productPage()->title(), "Organic Cotton Tee...");
  EXPECT_EQ(productPage()->currentPage(), 0);
  EXPECT_EQ(page->fromIndex(), 1);
  choose("size:", "M");
  choose("color:", "Red");
  choose("quantity:", "2");
  tap("ADD TO BAG");
  EXPECT_EQ(bagUpcs(), (std::vector<std::string>{"900 x2"}));
  EXPECT_TRUE(contains(screen(), "tab.2 my bag (2)")) << screen();

  // Back on the collection: the details page again, the collection the shown product again.
  tap("CONTINUE SHOPPING");
  back();
  ASSERT_EQ(collection(), page);
  EXPECT_EQ(page->currentPage(), 1);
  EXPECT_EQ(state().productDescriptionList()["data"][0]["prodId"].str(), "500");

  // Another child gets a page of its own, and the bag line is that child's.
  answerProduct(teeAnswer().with("UPCMapper", json::Value::object({{"Red-M--77", "903"},
                                                                   {"Blue-M--77", "903"},
                                                                   {"Red-S--77", "903"},
                                                                   {"Blue-S--77", "903"}})));
  const PDPViewsController* first = page->childPage();
  turnTo("0");
  tap("row.2.0");
  // Adding the first child to the bag used up the shared analytics context.
  EXPECT_EQ(server().lastRequest("/product")->body, "productId=78&categoryId=&categoryFlag=");
  ASSERT_NE(productPage(), nullptr);
  EXPECT_NE(productPage(), first);
  EXPECT_TRUE(contains(screen(), "size: | Select Size")) << screen();
  choose("size:", "S");
  choose("color:", "Blue");
  choose("quantity:", "1");
  tap("ADD TO BAG");
  EXPECT_EQ(bagUpcs(), (std::vector<std::string>{"900 x2", "903 x1"}));
  tap("CONTINUE SHOPPING");
  back();
  EXPECT_EQ(page->currentPage(), 0);
  // "MORE VIEWS & COLORS" shows the collection's own pictures; "Previous" leaves.
  turnTo("1");
  tap("MORE VIEWS & COLORS");
  EXPECT_EQ(page->currentPage(), 3);
  tap("Previous");
  EXPECT_EQ(top(), home_.get());
}

TEST_F(CollectionScreens, ATabbedCollectionShowsTheChildrenOfEachPagesSelectedTab) {
  openCollection(collectionAnswer("TAB"));
  auto* page = collection();
  EXPECT_NE(dynamic_cast<TabCollectionViewsController*>(page), nullptr);
  std::string main = screen();
  EXPECT_TRUE(contains(main, "[Tops] (selected)")) << main;
  EXPECT_TRUE(contains(main, "Organic Cotton Tee Shirt")) << main;
  EXPECT_FALSE(contains(main, "Linen Sheet")) << main;

  tap("Bottoms");
  main = screen();
  EXPECT_TRUE(contains(main, "[Bottoms] (selected)")) << main;
  EXPECT_FALSE(contains(main, "[Tops] (selected)")) << main;
  EXPECT_FALSE(contains(main, "Organic Cotton Tee Shirt")) << main;
  EXPECT_LT(main.find("Linen Sheet"), main.find("Pillow"));
  auto* mainPage = dynamic_cast<CollectionPageController*>(page->page(0).get());
  EXPECT_EQ(mainPage->selectedTab(), 1);
  EXPECT_TRUE(mainPage->tabChanged());

  // The details page keeps a tab of its own.
  turnTo("1");
  EXPECT_TRUE(contains(screen(), "[Tops] (selected)")) << screen();
  turnTo("0");
  answerProduct(teeAnswer());
  tap("row.2.0");
  EXPECT_EQ(server().lastRequest("/product")->body,
            "productId=79&categoryId=4001&categoryFlag=BROWSE_WHEEL");
  EXPECT_EQ(mainPage->selectedIndex(), 1);
  ASSERT_NE(productPage(), nullptr);
  back();
  EXPECT_EQ(collection(), page);
  EXPECT_TRUE(contains(screen(), "[Bottoms] (selected)")) << screen();
}

TEST_F(CollectionScreens, TheCollectionsReviewsLeadToAReviewAndBack) {
  openCollection(collectionAnswer("ITEM"), 3);
  auto* page = collection();
  EXPECT_EQ(page->currentPage(), 3);
  turnTo("2");
  ASSERT_NE(page->reviewsPage(), nullptr);
  EXPECT_EQ(page->reviewsPage()->reviewsArray().size(), 2u);
  tap("row.1.0");
  auto* review = dynamic_cast<PDPReviewsViewController*>(top());
  ASSERT_NE(review, nullptr);
  EXPECT_EQ(review->title(), "Linen Bedding Coll...");
  EXPECT_TRUE(contains(screen(), "Review 1")) << screen();
  back();
  ASSERT_EQ(collection(), page);
  EXPECT_EQ(page->currentPage(), 2);
  // The simple page's own flag is left alone; the collection's is used up.
  EXPECT_FALSE(gateway::GlobalFlags::shared().fromReviews);
  EXPECT_FALSE(gateway::GlobalFlags::shared().fromCollectionReviews);
  tap("row.0.0");
  tap(PDPReviewsViewController::kBackButton);
  EXPECT_EQ(collection(), page);
  EXPECT_EQ(page->currentPage(), 2);
}

TEST_F(CollectionScreens, OddCollectionsShowTheirSummaryAndWhatChildrenTheyHave) {
  const json::Value item = collectionAnswer("ITEM");
  const json::Value tab = collectionAnswer("TAB");
  const json::Value sheet = child("78", "Linen Sheet", "49.00");
  struct Case {
    const char* what;
    json::Value answer;
    int children;
  };
  for (const Case& c : std::vector<Case>{
           {"no children", item.without("childProducts"), 0},
           {"children not a list", item.with("childProducts", json::Value::object()), 0},
           {"odd entries", item.with("childProducts", json::Value::array({"x", 3, sheet})), 1},
           {"no tab names", tab.without("pdpTabName"), 0},
           {"a tab without children", tab.with("pdpTabName", json::Value::array({"Gone", 7})), 0},
           {"no product", item.with("data", json::Value::array({json::Value::object()})), 2}}) {
    openCollection(c.answer);
    for (const char* index : {"1", "2", "3", "0"}) turnTo(index);
    // The summary, then one section per child.
    EXPECT_EQ(collection()->page(0)->tableView().numberOfSections(), 1 + c.children) << c.what;
    back();
  }
}

TEST_F(CollectionScreens, AChildThatDoesNotComeOrCannotBeSoldIsRefused) {
  openCollection(collectionAnswer("ITEM"));
  auto* page = collection();
  for (test::FakeAnswer failure :
       {test::FakeAnswer{"", 500},
        test::FakeAnswer{R"({"data":[],"error":true,"errorMsg":"Unknown product"})", 200}}) {
    server().answer("/product", failure);
    tap("row.1.0");
    EXPECT_EQ(top(), page) << screen();
    EXPECT_EQ(state().productDescriptionList()["data"][0]["prodId"].str(), "500");
    EXPECT_FALSE(contains(screen(), "Busy:")) << screen();
  }
  forceReachability(platform::ForcedReachability::None);
  tap("row.1.0");
  EXPECT_EQ(takeAlert(), "No connection found, please try again later.");
  EXPECT_EQ(top(), page);
  forceReachability(std::nullopt);

  // A child whose answer has no UPC for the choice opens, but nothing goes into the bag.
  answerProduct(teeAnswer().without("UPCMapper"));
  tap("row.1.0");
  ASSERT_NE(productPage(), nullptr);
  choose("size:", "M");
  choose("color:", "Red");
  choose("quantity:", "1");
  tap("ADD TO BAG");
  EXPECT_EQ(takeAlert(),
            "Sorry! currently the product is not available for selected Size & Color combination");
  EXPECT_TRUE(bagUpcs().empty());
  EXPECT_NE(productPage(), nullptr);
}

}  // namespace
}  // namespace kelda::product

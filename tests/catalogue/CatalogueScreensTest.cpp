#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bag/CoreDataHandler.hpp"
#include "catalogue/BodyRoutedServer.hpp"
#include "catalogue/BrowseViewController.hpp"
#include "catalogue/HomeViewController.hpp"
#include "catalogue/ResultAsyncCell.hpp"
#include "catalogue/ResultViewController.hpp"
#include "catalogue/SearchViewController.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "json/SBJson.hpp"
#include "platform/NotificationCenter.hpp"
#include "support/ClientFixture.hpp"
#include "support/ImageLoadingQueue.hpp"
#include "ui/Actor.hpp"
#include "ui/BusyOverlay.hpp"
#include "ui/DropInBanner.hpp"
#include "ui/Label.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TabBarController.hpp"
#include "ui/Window.hpp"

namespace kelda::catalogue {
namespace {

using gateway::TarnObjects;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

constexpr const char* kWomen = R"({
  "category":[{"col1id":"31","col1name":"Dresses"},{"col1id":"32","col1name":"Tops"},
              {"col1id":"33","col1name":""}],
  "brand":[{"col2id":"b0","col2name":"Any"},{"col2id":"b1","col2name":"Levi's & Co"}],
  "price":[{"col3id":"p0","col3name":"Any"},{"col3id":"p1","col3name":"$25 - $50"}]})";

constexpr const char* kEmptyPage = R"({"data":[],"extra":[{"totalCount":"0"}]})";

// A result page: products `first`.. of `count`, out of `total`, announcing `next` as the page
// to ask for next. Product i is available when i is odd.
std::string page(int first, int count, int total, int next) {
  std::string data;
  for (int i = first; i < first + count; ++i) {
    if (!data.empty()) data += ",";
    data += R"({"prodId":")" + std::to_string(i) + R"(","prodDesc":"Product )" + std::to_string(i) +
            R"(","oldPrice":"40.00","newPrice":"29.99",)" +
            R"("priceTypeFlag":"REG-SALE","overallRating":"3.5","available":)" +
            std::to_string(i % 2) + "}";
  }
  return R"({"data":[)" + data + R"(],"extra":[{"totalCount":")" + std::to_string(total) +
         R"(","pageLimit":"2","pageNumber":")" + std::to_string(next) + R"("}]})";
}

class CatalogueScreens : public test::ClientFixture {
 protected:
  CatalogueScreens() {
    home_ = std::make_shared<HomeViewController>();
    search_ = std::make_shared<SearchViewController>();
    tabs_ = std::make_shared<ui::TabBarController>();
    tabs_->setViewControllers({std::make_shared<ui::NavigationController>(home_),
                               std::make_shared<ui::NavigationController>(search_),
                               std::make_shared<ui::ViewController>(),
                               std::make_shared<ui::ViewController>(),
                               std::make_shared<ui::ViewController>()});
    ui::Window::shared().setRootViewController(tabs_);
    ui::Window::shared().makeKeyAndVisible();
    runUntilIdle();
  }

  ui::Actor actor() { return ui::Actor(ui::Window::shared()); }
  ui::ViewController* top() { return ui::Window::shared().topViewController(); }
  const ui::AlertView* alert() {
    const auto& alerts = ui::Window::shared().alerts();
    return alerts.empty() ? nullptr : &alerts.back();
  }
  bool overlayShown() {
    for (const auto& view : ui::Window::shared().contentView().subviews()) {
      if (ui::isBusyOverlay(*view)) return true;
    }
    return false;
  }
  void act(const ui::ActResult& result) { ASSERT_TRUE(result.ok) << result.message; }

  // Opens Women and turns the wheels to the given rows.
  void openWomen(int category, int brand, int price) {
    server().answer("/category", kWomen);
    act(actor().tap("Women"));
    runUntilIdle();
    auto* browse = dynamic_cast<BrowseViewController*>(top());
    ASSERT_NE(browse, nullptr);
    browse->picker().pickRow(category, 0);
    browse->picker().pickRow(brand, 1);
    browse->picker().pickRow(price, 2);
  }

  ResultViewController* resultList() { return dynamic_cast<ResultViewController*>(top()); }
  std::shared_ptr<ResultAsyncCell> cell(int section) {
    return std::dynamic_pointer_cast<ResultAsyncCell>(
        resultList()->tableView().cellForRowAtIndexPath({section, 0}));
  }
  std::string footerText(int index) {
    auto footer = resultList()->tableView().tableFooterView;
    if (!footer || static_cast<std::size_t>(index) >= footer->subviews().size()) return "";
    auto* view = footer->subviews()[static_cast<std::size_t>(index)].get();
    if (auto* label = dynamic_cast<ui::Label*>(view)) return label->text;
    if (auto* button = dynamic_cast<ui::Button*>(view)) return button->title;
    return "";
  }

  std::shared_ptr<HomeViewController> home_;
  std::shared_ptr<SearchViewController> search_;
  std::shared_ptr<ui::TabBarController> tabs_;
};

TEST_F(CatalogueScreens, DepartmentIsFetchedOnceAndReopensAtTheFirstRows) {
  openWomen(1, 1, 1);
  auto requests = server().requestsTo("/category");
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].body, "&categoryId=118");
  EXPECT_EQ(top()->title(), "Women");
  EXPECT_EQ(state().fobTitle().str(), "Women");
  EXPECT_EQ(state().pageFlag(), 1);
  EXPECT_EQ(state().searchPageFlag(), 1);
  EXPECT_FALSE(overlayShown());
  auto& picker = home_->browseViewController()->picker();
  EXPECT_EQ(picker.titleForRow(1, 0), "Tops");
  EXPECT_EQ(picker.titleForRow(1, 1), "Levi's & Co");
  EXPECT_EQ(picker.titleForRow(1, 2), "$25 - $50");

  act(actor().back());
  runUntilIdle();
  act(actor().tap("Women"));
  runUntilIdle();
  EXPECT_EQ(server().requestsTo("/category").size(), 1u);
  ASSERT_EQ(top(), home_->browseViewController().get());
  for (int wheel = 0; wheel < 3; ++wheel) EXPECT_EQ(picker.selectedRowInComponent(wheel), 0);
}

TEST_F(CatalogueScreens, EmptyDepartmentAnswerLeavesTheShopperHomeWithoutMessage) {
  server().answer("/category", "{}");
  act(actor().tap("Men"));
  runUntilIdle();
  EXPECT_EQ(top(), home_.get());
  EXPECT_EQ(alert(), nullptr);
  EXPECT_FALSE(overlayShown());
  // Not cached: the next tap asks again.
  act(actor().tap("Men"));
  runUntilIdle();
  EXPECT_EQ(server().requestsTo("/category").size(), 2u);
}

TEST_F(CatalogueScreens, GoNamesEveryWheelWithoutALabel) {
  server().answer("/category", R"({"category":[{"col1id":"1","col1name":""}],"brand":[],
                                   "price":[{"col3name":"Any"}]})");
  act(actor().tap("Kids"));
  runUntilIdle();
  auto* browse = dynamic_cast<BrowseViewController*>(top());
  ASSERT_NE(browse, nullptr);
  browse->go();
  ASSERT_NE(alert(), nullptr);
  EXPECT_EQ(alert()->title, "");
  EXPECT_EQ(alert()->message, "Category is not selected Brand is not selected ");
  EXPECT_EQ(alert()->buttons, (std::vector<std::string>{"Cancel", "Ok"}));
  act(actor().alertButton("Ok"));
  EXPECT_EQ(server().requestsTo("/results").size(), 0u);
  EXPECT_EQ(top(), browse);
}

TEST_F(CatalogueScreens, GoWithoutAnyResultApologises) {
  openWomen(0, 0, 0);
  server().answer("/results", kEmptyPage);
  act(actor().tap("Go"));
  runUntilIdle();
  EXPECT_EQ(server().requestsTo("/results").size(), 3u);
  ASSERT_NE(alert(), nullptr);
  EXPECT_EQ(alert()->title, "Sorry !");
  EXPECT_EQ(alert()->message,
            "We couldn't find any items that match your selection. Please try again.");
  EXPECT_EQ(alert()->buttons, std::vector<std::string>{"OK"});
  EXPECT_NE(dynamic_cast<BrowseViewController*>(top()), nullptr);
  EXPECT_EQ(state().resultType(), 3);
}

TEST_F(CatalogueScreens, BrowseResultsExplainTheFallbackAndLoadMorePages) {
  openWomen(1, 1, 1);
  int seen = 0;
  BodyRoutedServer routed([&](const std::string&, const std::string&) {
    ++seen;
    if (seen == 1) return std::string(kEmptyPage);
    return seen == 2 ? page(1, 2, 3, 2) : page(3, 1, 3, 3);
  });
  setMiddleware(routed.address());
  act(actor().tap("Go"));
  runUntilIdle();
  ASSERT_NE(resultList(), nullptr);
  EXPECT_EQ(resultList()->title(), "Tops");
  EXPECT_EQ(resultList()->navigationItem().title, "Tops");
  EXPECT_EQ(state().categoryID().str(), "32");
  EXPECT_EQ(state().browsecategoryFlag().str(), "32");
  EXPECT_EQ(state().brand1().str(), "Levi's & Co");
  EXPECT_EQ(state().category1().str(), "Tops");
  EXPECT_EQ(state().price1().str(), "$25 - $50");
  auto header = std::dynamic_pointer_cast<ui::Label>(resultList()->tableView().tableHeaderView);
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->text,
            "Sorry, Levi's & Co Tops are not available in your price range. Here are the "
            "available options");
  EXPECT_EQ(resultList()->tableView().numberOfSections(), 2);
  EXPECT_EQ(footerText(0), "3 Results Found");
  EXPECT_EQ(footerText(1), "load 2 More");

  resultList()->loadMore();
  EXPECT_TRUE(overlayShown());
  runUntilIdle();
  auto bodies = routed.bodies();
  ASSERT_EQ(bodies.size(), 3u);
  EXPECT_EQ(bodies[0],
            R"(categoryId=32&refinements={"BRAND":"Levi's %26 Co","PRICE":"$25 - $50"})");
  EXPECT_EQ(bodies[2],
            R"(categoryId=32&pageNumber=2&refinements={"BRAND":"","PRICE":"$25 - $50"})");
  EXPECT_FALSE(overlayShown());
  EXPECT_EQ(resultList()->tableView().numberOfSections(), 3);
  EXPECT_EQ(resultList()->tableView().tableFooterView, nullptr);
  EXPECT_EQ(cell(2)->row().description, "Product 3");
}

TEST_F(CatalogueScreens, SearchTabOpensTheListOrDropsInTheBanner) {
  act(actor().tab("1"));
  server().answer("/results_search", kEmptyPage);
  act(actor().search("gizmo"));
  runUntilIdle();
  auto banner = ui::Window::shared().banner();
  ASSERT_NE(banner, nullptr);
  EXPECT_EQ(banner->text,
            "We couldn\u2019t find any items that match your search term. Please enter a "
            "different search term and try again.");
  EXPECT_EQ(top(), search_.get());
  EXPECT_EQ(alert(), nullptr);
  advanceBy(std::chrono::seconds(10));
  EXPECT_EQ(ui::Window::shared().banner(), nullptr);

  server().answer("/results_search", page(1, 2, 4, 2));
  act(actor().search("dress"));
  runUntilIdle();
  EXPECT_EQ(server().lastRequest("/results_search")->body, "&searchPhrase=dress");
  ASSERT_NE(resultList(), nullptr);
  EXPECT_EQ(resultList()->navigationItem().title, "Search for dre...");
  EXPECT_EQ(resultList()->mode(), 2);
  auto* navigation = resultList()->navigationController();
  ASSERT_NE(navigation, nullptr);
  EXPECT_EQ(navigation->backButtonTitle(), "Previous");

  server().answer("/results_search", page(3, 2, 4, 3));
  act(actor().tap("load 2 More"));
  runUntilIdle();
  EXPECT_EQ(server().lastRequest("/results_search")->body, "&searchPhrase=dress&pageNumber=2");
  EXPECT_EQ(resultList()->tableView().numberOfSections(), 4);
  EXPECT_EQ(resultList()->tableView().tableFooterView, nullptr);
}

// An answer belongs to its request: without a connection (or when the server fails) nothing is
// shown as the new result. Each action leaves the screen, the lists and the shared answers as
// they were; without a connection the only message is the connection alert.
TEST_F(CatalogueScreens, ActionsWithoutAnAnswerLeaveEverythingAsItWas) {
  // A browse list on the home tab and a search list on the search tab, both loaded.
  openWomen(1, 0, 0);
  server().answer("/results", page(1, 2, 4, 2));
  act(actor().tap("Go"));
  runUntilIdle();
  ASSERT_NE(resultList(), nullptr);
  std::shared_ptr<ResultViewController> homeList = home_->resultViewController();
  act(actor().tab("1"));
  server().answer("/results_search", page(11, 2, 4, 2));
  act(actor().search("dress"));
  runUntilIdle();
  ASSERT_NE(resultList(), nullptr);
  act(actor().back());
  const json::Value browsed = state().categorySearchList();
  const json::Value searched = state().searchResultsDictionary();
  const json::Value product = state().productDescriptionList();
  auto& homeNavigation = dynamic_cast<ui::NavigationController&>(*tabs_->viewControllers()[0]);
  auto showHomeList = [&] {
    act(actor().tab("0"));
    homeNavigation.popToRootViewControllerAnimated(false);
    homeNavigation.pushViewController(home_->browseViewController(), false);
    homeNavigation.pushViewController(homeList, false);
  };

  struct Action {
    const char* name;
    std::function<void()> run;
  };
  const std::vector<Action> actions{
      {"load more", [&] { act(actor().tap("load 2 More")); }},
      {"row tap",
       [&] {
         homeList->tableView().tapRowAtIndexPath({0, 0});
       }},
      {"Go",
       [&] {
         act(actor().back());
         act(actor().tap("Go"));
       }},
      {"home search bar",
       [&] {
         homeNavigation.popToRootViewControllerAnimated(false);
         act(actor().search("coat"));
       }},
      {"search tab",
       [&] {
         act(actor().tab("1"));
         act(actor().search("coat"));
       }},
  };
  for (bool connected : {false, true}) {
    if (connected) {
      forceReachability(std::nullopt);
      for (const char* path : {"/results", "/results_search", "/product"}) {
        server().answer(path, test::FakeAnswer{"not json", 200, "text/plain"});
      }
    } else {
      forceReachability(platform::ForcedReachability::None);
    }
    for (const Action& action : actions) {
      SCOPED_TRACE(std::string(action.name) + (connected ? " (server fails)" : " (offline)"));
      showHomeList();
      server().clearRequests();
      action.run();
      ui::ViewController* acted = top();
      runUntilIdle();
      EXPECT_EQ(top(), acted);  // nothing was opened
      EXPECT_FALSE(overlayShown());
      EXPECT_EQ(state().categorySearchList(), browsed);
      EXPECT_EQ(state().searchResultsDictionary(), searched);
      EXPECT_EQ(state().productDescriptionList(), product);
      EXPECT_EQ(homeList->noOfSections, 2);
      EXPECT_EQ(homeList->lastProductPage, std::nullopt);
      if (!connected) {
        EXPECT_EQ(server().requestCount(), 0u);
        ASSERT_EQ(ui::Window::shared().alerts().size(), 1u);
        EXPECT_EQ(alert()->title, "Network Error");
      }
      while (alert() != nullptr) act(actor().alertButton("0"));
    }
  }
}

TEST_F(CatalogueScreens, SearchListComingIntoViewWithoutProductsApologises) {
  act(actor().tab("1"));
  server().answer("/results_search", page(1, 1, 1, 2));
  act(actor().search("coat"));
  runUntilIdle();
  ASSERT_NE(resultList(), nullptr);
  EXPECT_EQ(alert(), nullptr);
  // The answer changes behind the list (a search elsewhere found nothing).
  state().setSearchResultsDictionary(json::JSONValue(R"({"data":"none"})"));
  act(actor().tab("0"));
  act(actor().tab("1"));
  runUntilIdle();
  ASSERT_NE(alert(), nullptr);
  EXPECT_EQ(alert()->title, "Sorry !");
  EXPECT_EQ(alert()->message,
            "We're sorry, we couldn't find any items that matched your search term.");
  EXPECT_EQ(resultList()->tableView().numberOfSections(), 0);
}

TEST_F(CatalogueScreens, HomeSearchCutsTheTitleOrApologises) {
  server().answer("/results_search", kEmptyPage);
  act(actor().search("gizmo"));
  runUntilIdle();
  ASSERT_NE(alert(), nullptr);
  EXPECT_EQ(alert()->title, "Sorry!");
  EXPECT_EQ(alert()->message,
            "We're sorry, we couldn't find any items that matched your search term.");
  act(actor().alertButton("OK"));

  server().answer("/results_search", page(1, 2, 2, 2));
  act(actor().search("blue & white"));
  runUntilIdle();
  EXPECT_EQ(server().lastRequest("/results_search")->body, "&searchPhrase=blue %26 white");
  EXPECT_EQ(state().fobTitle().str(), "Search for blue & white");
  EXPECT_EQ(state().searchPageFlag(), 2);
  ASSERT_NE(resultList(), nullptr);
  EXPECT_EQ(resultList()->navigationItem().title, "Search for blu...");
  EXPECT_EQ(state().searchTitle().str(), "Search for blu...");
  EXPECT_EQ(resultList()->tableView().tableFooterView, nullptr);
}

TEST_F(CatalogueScreens, RowsShowPricesStarsAndOpenProductsByAvailability) {
  server().answer("/results_search", page(0, 2, 2, 2));
  act(actor().search("tee"));
  runUntilIdle();
  ASSERT_NE(resultList(), nullptr);
  auto first = cell(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->reuseIdentifier, "MyIdentifier 0");
  EXPECT_EQ(first->row().original.label, "Reg.");
  EXPECT_EQ(first->row().current.price, "$29.99");
  EXPECT_DOUBLE_EQ(first->shownRating(), 3.5);

  // Product 0 is not available: a row tap does nothing, a picture tap opens it.
  resultList()->tableView().tapRowAtIndexPath({0, 0});
  runUntilIdle();
  EXPECT_EQ(server().requestsTo("/product").size(), 0u);
  EXPECT_FALSE(resultList()->tableView().indexPathForSelectedRow().has_value());

  server().answer("/product", R"({"PDPFLAG":"SIMPLE","data":[{"prodId":"0"}]})");
  first->imageButton().sendAction();
  runUntilIdle();
  ASSERT_EQ(server().requestsTo("/product").size(), 1u);
  EXPECT_EQ(server().lastRequest("/product")->body, "productId=0&categoryId=&categoryFlag=SEARCH");
  EXPECT_EQ(resultList()->lastProductPage, (ProductPageRequest{"SIMPLE", 3, true}));
  EXPECT_EQ(state().pdpTabFlag().str(), "1");
  EXPECT_FALSE(overlayShown());

  server().answer("/product", R"({"PDPFLAG":"TAB","data":[{"prodId":"1"}]})");
  resultList()->tableView().tapRowAtIndexPath({1, 0});
  runUntilIdle();
  EXPECT_EQ(server().lastRequest("/product")->body, "productId=1&categoryId=&categoryFlag=SEARCH");
  EXPECT_EQ(resultList()->lastProductPage, (ProductPageRequest{"TAB", 0, false}));
}

TEST_F(CatalogueScreens, RowPicturesArriveOnceEachOrFallBackToThePlaceholder) {
  std::ifstream file(std::string(std::getenv("KELDA_RESOURCES")) + "/home.png", std::ios::binary);
  const std::string png((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(png.empty());
  for (const char* path : {"/img/1.png", "/img/2.png", "/img/3.png"}) {
    server().answer(path, test::FakeAnswer{png, 200, "image/png"});
  }
  server().answer("/img/bad.png", test::FakeAnswer{"not a picture", 200, "image/png"});
  auto product = [&](int id, const char* image) {
    return R"({"prodId":")" + std::to_string(id) + R"(","available":"1","imageSource":")" +
           server().url(image) + R"("})";
  };
  // Two pages; the second repeats the first page's pictures next to a new one.
  server().answer("/results_search",
                  R"({"data":[)" + product(1, "/img/1.png") + "," + product(2, "/img/bad.png") +
                      "," + product(3, "/img/2.png") +
                      R"(],"extra":[{"totalCount":"6","pageLimit":"3","pageNumber":"2"}]})");
  act(actor().search("tee"));
  runUntilIdle();  // the rows are made and their pictures arrive before the loop is idle
  ASSERT_NE(resultList(), nullptr);
  EXPECT_FALSE(cell(0)->spinner().isAnimating());
  ASSERT_NE(cell(0)->image().imageData, nullptr);
  EXPECT_EQ(*cell(0)->image().imageData, png);
  EXPECT_EQ(cell(1)->image().imageName, "noImage1.png");

  server().answer("/results_search",
                  R"({"data":[)" + product(4, "/img/1.png") + "," + product(5, "/img/2.png") + "," +
                      product(6, "/img/3.png") +
                      R"(],"extra":[{"totalCount":"6","pageLimit":"3","pageNumber":"3"}]})");
  resultList()->loadMore();
  runUntilIdle();
  ASSERT_EQ(resultList()->noOfSections, 6);
  // The list is reloaded again (as when it appears again): every row is made anew.
  resultList()->tableView().reloadData();
  runUntilIdle();
  ASSERT_NE(cell(5)->image().imageData, nullptr);
  // One download per distinct picture, however often the rows were made.
  for (const char* path : {"/img/1.png", "/img/2.png", "/img/3.png"}) {
    EXPECT_EQ(server().requestsTo(path).size(), 1u) << path;
  }
}

TEST_F(CatalogueScreens, BrowsedProductCarriesTheSubcategoryAsContext) {
  openWomen(1, 0, 0);
  server().answer("/results", page(1, 1, 1, 2));
  act(actor().tap("Go"));
  runUntilIdle();
  ASSERT_NE(resultList(), nullptr);
  server().answer("/product", R"({"PDPFLAG":"OTHER","data":[{"prodId":"1"}]})");
  resultList()->tableView().tapRowAtIndexPath({0, 0});
  runUntilIdle();
  EXPECT_EQ(server().lastRequest("/product")->body,
            "productId=1&categoryId=32&categoryFlag=BROWSE_WHEEL");
  EXPECT_EQ(state().categoryFlag().str(), "BROWSE_WHEEL");
  EXPECT_EQ(state().coreMetricsCategoryId().str(), "32");
  // An unknown page kind opens nothing.
  EXPECT_FALSE(resultList()->lastProductPage.has_value());
}

TEST_F(CatalogueScreens, BagSummaryShowsLinesTotalAndBadge) {
  EXPECT_EQ(tabs_->itemAt(2).badgeValue, "0");
  auto& table = home_->tableView();
  ASSERT_EQ(table.numberOfRowsInSection(0), 2);
  EXPECT_EQ(table.cellForRowAtIndexPath({0, 1})->visibleText(), "There are no items in your bag!");

  state().setProductDescriptionList(
      json::JSONValue(R"({"data":[{"prodId":"77","prodName":"Tee"}]})"));
  state().setCoreMetricsCategoryId("118");
  state().setCategoryFlag("BROWSE_WHEEL");
  auto& store = bag::CoreDataHandler::sharedCoreDataHandler();
  ASSERT_TRUE(store.addNewRowInEntityWithObject("111", "2", "10.50", "Red", "M"));
  ASSERT_TRUE(store.addNewRowInEntityWithObject("222", "1", "3.25", "Blue", "S"));
  home_->fetchViewBag();
  runUntilIdle();
  EXPECT_EQ(tabs_->itemAt(2).badgeValue, "3");
  ASSERT_EQ(table.numberOfRowsInSection(0), 5);
  EXPECT_EQ(table.cellForRowAtIndexPath({0, 2})->visibleText(), "Tee");
  EXPECT_EQ(table.cellForRowAtIndexPath({0, 4})->detailTextLabel().text, "$24.25");

  server().answer("/product", R"({"PDPFLAG":"SIMPLE","data":[{"prodId":"77"}]})");
  table.tapRowAtIndexPath({0, 2});
  runUntilIdle();
  EXPECT_EQ(server().lastRequest("/product")->body,
            "productId=77&categoryId=118&categoryFlag=BROWSE_WHEEL");
  EXPECT_EQ(home_->lastProductPage, (ProductPageRequest{"SIMPLE", std::nullopt, false}));

  act(actor().tap("Checkout"));
  EXPECT_EQ(tabs_->selectedIndex(), 2);
}

TEST_F(CatalogueScreens, LoginNotificationSetsTheSignedInFlag) {
  platform::NotificationCenter::defaultCenter().postNotification(
      HomeViewController::kLoginCompletedNotification, json::Value("1"));
  runUntilIdle();
  EXPECT_TRUE(gateway::GlobalFlags::shared().loginSuccessful);
  platform::NotificationCenter::defaultCenter().postNotification(
      HomeViewController::kLoginCompletedNotification, json::Value("0"));
  runUntilIdle();
  EXPECT_FALSE(gateway::GlobalFlags::shared().loginSuccessful);
}

}  // namespace
}  // namespace kelda::catalogue

// CatalogueScreenFixture: the home and search tabs in a window over the fake middleware, with
// helpers to act on them and read what the shopper sees. Shared by the catalogue screen tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/BrowseViewController.hpp"
#include "catalogue/HomeViewController.hpp"
#include "catalogue/ResultAsyncCell.hpp"
#include "catalogue/ResultViewController.hpp"
#include "catalogue/SearchViewController.hpp"
#include "gateway/TarnObjects.hpp"
#include "support/ClientFixture.hpp"
#include "ui/Actor.hpp"
#include "ui/BusyOverlay.hpp"
#include "ui/Label.hpp"
#include "ui/NavigationController.hpp"
#include "ui/ScreenTree.hpp"
#include "ui/TabBarController.hpp"
#include "ui/Window.hpp"

namespace kelda::catalogue {

inline gateway::TarnObjects& state() {
  return gateway::TarnObjects::sharedInstance();
}

inline constexpr const char* kWomen = R"({
  "category":[{"col1id":"31","col1name":"Dresses"},{"col1id":"32","col1name":"Tops"},
              {"col1id":"33","col1name":""}],
  "brand":[{"col2id":"b0","col2name":"Any"},{"col2id":"b1","col2name":"Levi's & Co"}],
  "price":[{"col3id":"p0","col3name":"Any"},{"col3id":"p1","col3name":"$25 - $50"}]})";

inline constexpr const char* kEmptyPage = R"({"data":[],"extra":[{"totalCount":"0"}]})";

// A result page: products `first`.. of `count`, out of `total`, announcing `next` as the page
// to ask for next. Product i is available when i is odd.
inline std::string page(int first, int count, int total, int next) {
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
  // Taps and runs until idle.
  void tapAndWait(std::string_view target) {
    act(actor().tap(target));
    runUntilIdle();
  }
  // The window as the terminal prints it.
  std::string screen() { return ui::ScreenTree::capture(ui::Window::shared()).text(); }

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

}  // namespace kelda::catalogue

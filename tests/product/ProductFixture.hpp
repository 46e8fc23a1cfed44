// ProductFixture: product screen tests as a shopper meets them: a window with the five tabs
// (the home tab's stack holds a plain root screen, the my-bag tab a plain screen), the product
// page link of the application, the analytics base address at the fake middleware, and a
// standard product answer (a tee offered in two sizes and two colours, 25 reviews) that tests
// vary.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gateway/ProductPageRequest.hpp"
#include "gateway/ScreenLinks.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "json/SBJson.hpp"
#include "product/PDPViewsController.hpp"
#include "product/ProductPageOpener.hpp"
#include "product/ProductRequests.hpp"
#include "support/ClientFixture.hpp"
#include "ui/Actor.hpp"
#include "ui/NavigationController.hpp"
#include "ui/ScreenTree.hpp"
#include "ui/TabBarController.hpp"
#include "ui/Window.hpp"

namespace kelda::product {

inline gateway::TarnObjects& state() {
  return gateway::TarnObjects::sharedInstance();
}

// `count` reviews numbered from `first` ("Review 10", ...).
inline json::Value reviews(int first, int count) {
  std::vector<json::Value> out;
  for (int i = first; i < first + count; ++i) {
    out.push_back(json::Value::object({{"reviewTitle", "Review " + std::to_string(i)},
                                       {"reviewDesc", "Text " + std::to_string(i)},
                                       {"reviewer", "Ann"},
                                       {"reviewLocation", "Boise"},
                                       {"reviewDate", "03/04/2026"},
                                       {"reviewRating", "4.5"}}));
  }
  return json::Value::array(std::move(out));
}

inline json::Value article(const char* upc, int available, const char* customPrice) {
  return json::Value::object(
      {{"Available", available},
       {"InStoreEligibilityFlag", 1},
       {"itemBOAttr", json::Value::object({{"setUpcID", upc},
                                           {"setUpcNumber", std::string("0000") + upc},
                                           {"setCustomPrice", customPrice},
                                           {"setProductID", "77"}})}});
}

// The standard answer: sizes S and M, colours Red and Blue; Red M (UPC 900) costs 12.99 and
// may be bought three at a time, Blue M (901) is sold out, Red S (902) has no price of its own.
inline json::Value teeAnswer() {
  return json::JSONValue(R"({"PDPFLAG":"SIMPLE","categoryFlag":"SEARCH","categoryId":"",
    "data":[{"prodId":"77","prodName":"Organic Cotton Tee Shirt","prodDesc":"A soft tee",
      "newPrice":"19.99","oldPrice":"30.00","priceTypeFlag":"REG-SALE","rating":"4.5",
      "reviewCount":"25","reviewPageNumber":"2","reviewPageLimit":"10","total_pages":"3",
      "available":"1","maxQuantity":"3","shippingReturnText":["Ships in 2 days.","Free returns."],
      "attributes":["100% cotton","Machine wash"],
      "additionalImagesThumbnail":["http://img/t1.png","http://img/t2.png"],
      "additionalImages":["http://img/f1.png","http://img/f2.png"],
      "swatches":["http://img/s1.png"],"additionalImagesSwatch":["http://img/sf1.png"]}],
    "prodAttrKey":["SIZE","COLOR"],
    "prod_attributes":[{"prodAttrName":"SIZE","prodAttrValue":["S","M"]},
                       {"prodAttrName":"COLOR","prodAttrValue":["Red","Blue"]}],
    "UPCMapper":{"Red-M--77":"900","Blue-M--77":"901","Red-S--77":"902","Blue-S--77":"903"},
    "CLICK_TO_CALL":"Y","click_to_call_text":"Questions?","click_to_call_number":"1-800-555-0199"})")
      .with("reviews", reviews(0, 10))
      .with("UPCAvailabilityChecker", json::Value::object({{"900", article("900", 1, "12.99")},
                                                           {"901", article("901", 0, "12.99")},
                                                           {"902", article("902", 1, "0")},
                                                           {"903", article("903", 1, "11.00")}}));
}

// `answer` with one member of its product ("data"[0]) replaced.
inline json::Value withProduct(const json::Value& answer, const char* key, json::Value value) {
  return answer.with("data", json::Value::array({answer["data"][0].with(key, std::move(value))}));
}

class ProductFixture : public test::ClientFixture {
 protected:
  ProductFixture() {
    gateway::ScreenLinks::shared().openProductPage = [](ui::NavigationController& navigation,
                                                        const gateway::ProductPageRequest& page) {
      openProductPage(navigation, page);
    };
    home_ = std::make_shared<ui::ViewController>();
    home_->setTitle("Home");
    homeStack_ = std::make_shared<ui::NavigationController>(home_);
    bagStack_ = std::make_shared<ui::NavigationController>(std::make_shared<ui::ViewController>());
    tabs_ = std::make_shared<ui::TabBarController>();
    tabs_->setViewControllers({homeStack_, std::make_shared<ui::ViewController>(), bagStack_,
                               std::make_shared<ui::ViewController>(),
                               std::make_shared<ui::ViewController>()});
    const char* titles[] = {"home", "search", "my bag", "offers", "more"};
    for (int i = 0; i < 5; ++i) tabs_->itemAt(i).title = titles[i];
    ui::Window::shared().setRootViewController(tabs_);
    ui::Window::shared().makeKeyAndVisible();
    server().answer("/coremetrics_url", R"({"data":")" + server().url("/eluminate?ci=9") + R"("})");
    server().answer("/eluminate", "{}");
    gateway::TarnServerAPIs::sharedInstance().coremetricsURL();
    runUntilIdle();
  }

  // Stores `answer` through the product request and opens its page on the home tab.
  void open(const json::Value& answer, std::optional<int> startPage = std::nullopt) {
    server().answer("/product", json::JSONRepresentation(answer).value_or(""));
    ASSERT_EQ(ProductRequests::resultForProductDescription("77", "", "SEARCH"),
              gateway::RequestStatus::Answered);
    ASSERT_TRUE(openProductPage(*homeStack_, {"SIMPLE", startPage, false}));
    runUntilIdle();
    ASSERT_NE(productPage(), nullptr);
  }

  ui::ViewController* top() { return ui::Window::shared().topViewController(); }
  PDPViewsController* productPage() { return dynamic_cast<PDPViewsController*>(top()); }
  std::string screen() { return ui::ScreenTree::capture(ui::Window::shared()).text(); }
  // A person's action, then the loop until idle.
  void act(const ui::ActResult& result) {
    ASSERT_TRUE(result.ok) << result.message << "\n" << screen();
    runUntilIdle();
  }
  void tap(const std::string& target) { act(ui::Actor(ui::Window::shared()).tap(target)); }
  // The message of the shown alert ("" when none), which is then dismissed.
  std::string takeAlert() {
    const auto& alerts = ui::Window::shared().alerts();
    if (alerts.empty()) return "";
    std::string message = alerts.back().message;
    ui::Window::shared().clickAlertButton(0);
    runUntilIdle();
    return message;
  }
  // Chooses `value` through the picker a selection row opens.
  void choose(const std::string& row, const std::string& value) {
    tap(row);
    tap(value);
  }
  // The page ids of the page-view tags sent so far, in order.
  std::vector<std::string> pageTags() {
    runUntilIdle();
    std::vector<std::string> ids;
    for (const auto& request : server().requestsTo("/eluminate")) {
      const auto at = request.query.find("&pi=");
      if (request.query.find("tid=1&") == std::string::npos || at == std::string::npos) continue;
      ids.push_back(request.query.substr(at + 4, request.query.find('&', at + 4) - at - 4));
    }
    return ids;
  }

  std::shared_ptr<ui::ViewController> home_;
  std::shared_ptr<ui::NavigationController> homeStack_;
  std::shared_ptr<ui::NavigationController> bagStack_;
  std::shared_ptr<ui::TabBarController> tabs_;
};

}  // namespace kelda::product

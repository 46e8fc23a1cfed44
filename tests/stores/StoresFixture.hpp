// StoresFixture: store screen tests start from a navigation stack in the window whose root is
// the store locator menu (as the more tab pushes it), and act on the window as a shopper would.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gateway/TarnObjects.hpp"
#include "platform/UrlOpener.hpp"
#include "stores/StoreLocatorViewController.hpp"
#include "support/ClientFixture.hpp"
#include "ui/Actor.hpp"
#include "ui/AlertView.hpp"
#include "ui/BusyOverlay.hpp"
#include "ui/NavigationController.hpp"
#include "ui/ScreenTree.hpp"
#include "ui/Window.hpp"

namespace kelda::stores::fixture {

// An alert's title and message.
using Alert = std::pair<std::string, std::string>;

// A store record as "store_locator" answers it, with `fields` (a JSON members text) added.
inline std::string storeJson(const std::string& id, const std::string& name,
                             const std::string& fields = "") {
  return R"({"storeId":")" + id + R"(","storeName":")" + name +
         R"(","addressLine1":"1 Main St","addressLine2":"Suite 2","addrCity":"New York",)"
         R"("addrState":"NY","addrCountryCode":"US","addrPostalCode":"10001",)"
         R"("addrPhoneNumber":"212-555-0100","distanceInMiles":"1.5",)"
         R"("storeHours":[{"storedate":"Mon-Fri","storeTime":"10am-9pm"}],)"
         R"("storeLatitude":"40.750600","storeLongitude":"-73.996700",)"
         R"("storeLocation":{"storeLatitude":"40.750600","storeLongitude":"-73.996700"})" +
         (fields.empty() ? "" : "," + fields) + "}";
}

inline std::string dataAnswer(const std::string& items) {
  return R"({"data":[)" + items + "]}";
}

class StoresFixture : public kelda::test::ClientFixture {
 protected:
  StoresFixture() {
    locator_ = std::make_shared<StoreLocatorViewController>();
    navigation_ = std::make_shared<ui::NavigationController>(locator_);
    ui::Window::shared().setRootViewController(navigation_);
    ui::Window::shared().makeKeyAndVisible();
    runUntilIdle();
  }

  ui::Actor actor() { return ui::Actor(ui::Window::shared()); }
  void act(const ui::ActResult& result) {
    ASSERT_TRUE(result.ok) << result.message << "\n"
                           << ui::ScreenTree::capture(ui::Window::shared()).text();
  }
  // Acts and runs until idle.
  void tap(const std::string& target) {
    act(actor().tap(target));
    runUntilIdle();
  }
  ui::ViewController* top() { return ui::Window::shared().topViewController(); }
  template <class Screen>
  Screen* topAs() {
    return dynamic_cast<Screen*>(top());
  }
  // The alert shown ("" title and message when none).
  Alert alert() {
    const auto& alerts = ui::Window::shared().alerts();
    if (alerts.empty()) return {};
    return {alerts.back().title, alerts.back().message};
  }
  void dismissAlert() { act(actor().alertButton("OK")); }
  bool overlayShown() {
    for (const auto& view : ui::Window::shared().contentView().subviews()) {
      if (ui::isBusyOverlay(*view)) return true;
    }
    return false;
  }
  std::vector<std::string> opened() { return platform::UrlOpener::shared().opened(); }
  std::string lastBody(const std::string& path) {
    const auto request = server().lastRequest(path);
    return request ? request->body : "(none)";
  }

  std::shared_ptr<StoreLocatorViewController> locator_;
  std::shared_ptr<ui::NavigationController> navigation_;
};

}  // namespace kelda::stores::fixture

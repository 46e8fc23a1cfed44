// AccountScreenFixture: a fresh launch with a five-tab window whose first tab shows an empty
// root screen, for the account screens to be pushed on; the analytics address points at the
// fake middleware so that page tags are answered. Helpers act as a person would (ui::Actor)
// and read what the window shows.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gateway/TarnServerAPIs.hpp"
#include "support/ClientFixture.hpp"
#include "ui/Actor.hpp"
#include "ui/BusyOverlay.hpp"
#include "ui/NavigationController.hpp"
#include "ui/ScreenTree.hpp"
#include "ui/TabBarController.hpp"
#include "ui/Window.hpp"

namespace kelda::test {

class AccountScreenFixture : public ClientFixture {
 protected:
  AccountScreenFixture() {
    server().answer("/coremetrics_url", R"({"data":")" + server().url("/tag?c=1") + R"("})");
    server().answer("/tag", "{}");
    gateway::TarnServerAPIs::sharedInstance().coremetricsURL();
    for (int i = 0; i < 5; ++i) {
      stacks_.push_back(
          std::make_shared<ui::NavigationController>(std::make_shared<ui::ViewController>()));
    }
    tabs_ = std::make_shared<ui::TabBarController>();
    tabs_->setViewControllers(
        std::vector<std::shared_ptr<ui::ViewController>>(stacks_.begin(), stacks_.end()));
    window().setRootViewController(tabs_);
    window().makeKeyAndVisible();
    runUntilIdle();
  }

  ui::Window& window() { return ui::Window::shared(); }
  ui::TabBarController& tabs() { return *tabs_; }
  ui::NavigationController& stack(int tab = 0) { return *stacks_[static_cast<std::size_t>(tab)]; }
  ui::ViewController* top() { return window().topViewController(); }

  void push(const std::shared_ptr<ui::ViewController>& screen, int tab = 0) {
    stack(tab).pushViewController(screen, false);
    runUntilIdle();
  }
  // Acts and runs until idle; a refused action fails the test.
  void act(const ui::ActResult& result) {
    ASSERT_TRUE(result.ok) << result.message;
    runUntilIdle();
  }
  ui::Actor actor() { return ui::Actor(window()); }
  void type(const std::string& field, const std::string& text) { act(actor().type(field, text)); }
  void tap(const std::string& target) { act(actor().tap(target)); }

  // The messages of the alerts shown so far, oldest first.
  std::vector<std::string> alertMessages() {
    std::vector<std::string> out;
    for (const auto& alert : window().alerts()) out.push_back(alert.message);
    return out;
  }
  // Closes every alert with its first button.
  void closeAlerts() {
    while (!window().alerts().empty()) window().clickAlertButton(0);
    runUntilIdle();
  }
  bool busy() {
    for (const auto& view : window().contentView().subviews()) {
      if (ui::isBusyOverlay(*view)) return true;
    }
    return false;
  }
  std::string screenText() { return ui::ScreenTree::capture(window()).text(); }
  // The page ids of the page-view tags sent so far.
  std::vector<std::string> pageTags() {
    runUntilIdle();
    std::vector<std::string> out;
    for (const auto& request : server().requestsTo("/tag")) {
      const auto at = request.query.find("&pi=");
      if (request.query.find("&tid=1&") == std::string::npos || at == std::string::npos) continue;
      out.push_back(request.query.substr(at + 4, request.query.find('&', at + 4) - at - 4));
    }
    return out;
  }

 private:
  std::vector<std::shared_ptr<ui::NavigationController>> stacks_;
  std::shared_ptr<ui::TabBarController> tabs_;
};

}  // namespace kelda::test

// TarnAppDelegate: starts the client. At launch it fetches the analytics address, reads the
// connection status once and either shows the no-connection screen (and goes no further) or
// builds the five-tab shell behind a page curl; then it asks a first-time shopper to set up a
// profile, or signs a returning one in silently with the stored log-in. It owns the window's
// content: the tab container, the five navigation stacks and their root screens.
//
// One per Context (`TarnAppDelegate::shared()`); the front ends call
// applicationDidFinishLaunching() once. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "json/Value.hpp"
#include "ui/AlertView.hpp"
#include "ui/Geometry.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TabBarController.hpp"
#include "ui/View.hpp"
#include "ui/ViewController.hpp"
#include "ui/Window.hpp"

namespace kelda::catalogue {
class HomeViewController;
class SearchViewController;
class OffersViewController;
}  // namespace kelda::catalogue

namespace kelda::bag {
class ViewBagController;
}  // namespace kelda::bag

namespace kelda::app {

using bag::ViewBagController;
class MoreViewController;
class NoInternetConnectionViewController;

class TarnAppDelegate {
 public:
  // Files of the documents directory that belong to the launch.
  static constexpr const char* kLaunchFile = "launch.plist";
  static constexpr const char* kLaunchedText = "launched";
  // Posted after the silent sign-in with "1" or "0" as its object.
  static constexpr const char* kLoginCompletedNotification = "kNotificationIsLoginCompleted";
  // The first-launch prompt.
  static constexpr const char* kSetUpProfileMessage = "Set up mobile profile";
  static constexpr int kSetUpProfileAlertTag = 1;
  static constexpr const char* kAlreadyLoggedInMessage = "You have already logged in.";

  TarnAppDelegate();
  ~TarnAppDelegate();
  TarnAppDelegate(const TarnAppDelegate&) = delete;
  TarnAppDelegate& operator=(const TarnAppDelegate&) = delete;

  // The current context's delegate.
  static TarnAppDelegate& shared();

  // The launch: analytics address, interface, then the window shown. An exception in the first
  // two is shown as the "Exception !" alert; the window is shown in any case.
  void applicationDidFinishLaunching();
  // Shows the splash and reads the connection status once: the tabs are built on the next pass
  // of the run loop, or the no-connection screen is shown and nothing else happens.
  void loadInterface();
  // Builds the five tabs, shows them behind a 2-second page curl, removes the splash 0.2 s
  // later and runs curlAction1() at once.
  void curlAction();
  // First launch: the "Set up mobile profile" prompt. Later launch with a stored log-in file:
  // the silent sign-in. Otherwise nothing.
  void curlAction1();
  // True when launch.plist already existed; otherwise writes it ("launched") and answers false.
  bool appLaunch();
  // Silent sign-in with a valid stored log-in (synchronous); posts
  // kNotificationIsLoginCompleted with "%d" of the result and returns it.
  bool attempLogIn();
  // The stored log-in as {"loginUserName", "loginPassword"}, or an empty object when it is
  // missing or not valid.
  json::Value fetchUserNameAndPassword() const;
  // "NoAccess", "e" (carrier data), "wifi" or "3g".
  std::string checkNetworkConnectivity() const;

  // Header actions.
  void signin(ui::View* sender);
  void registeration(ui::View* sender);
  void myAccount(ui::View* sender);
  void viewBag(ui::View* sender);
  // The answer to the first-launch prompt: "Now" (0) opens registration on the home tab.
  void clickedButtonAtIndex(const ui::AlertView& alert, int buttonIndex);

  // A new busy overlay (the frame is ignored: the overlay covers the whole screen).
  std::shared_ptr<ui::View> activityIndicatorViewWithFrame(ui::Rect frame) const;

  // The tab container (null before the tabs are built or when there is no network).
  ui::TabBarController* tabBarController() const { return tabBarController_.get(); }

  // Fields the other screens and tests reach.
  ui::Window& window() const;
  const std::shared_ptr<ui::View>& mySplashView() const { return mySplashView_; }
  const std::shared_ptr<catalogue::HomeViewController>& homeViewController() const {
    return homeViewController_;
  }
  const std::shared_ptr<catalogue::SearchViewController>& searchViewController() const {
    return searchViewController_;
  }
  const std::shared_ptr<ViewBagController>& viewBagController() const { return viewBagController_; }
  const std::shared_ptr<catalogue::OffersViewController>& offersViewController() const {
    return offersViewController_;
  }
  const std::shared_ptr<MoreViewController>& moreViewController() const {
    return moreViewController_;
  }
  const std::shared_ptr<ui::NavigationController>& homeNavigationController() const {
    return homeNavigationController_;
  }
  const std::shared_ptr<ui::NavigationController>& searchNavigationController() const {
    return searchNavigationController_;
  }
  const std::shared_ptr<ui::NavigationController>& viewBagNavigationController() const {
    return viewBagNavigationController_;
  }
  const std::shared_ptr<ui::NavigationController>& offersNavigationController() const {
    return offersNavigationController_;
  }
  const std::shared_ptr<ui::NavigationController>& moreNavigationController() const {
    return moreNavigationController_;
  }
  const std::shared_ptr<NoInternetConnectionViewController>& noInternetConnection() const {
    return noInternetConnection_;
  }
  int alertFlag() const { return alertFlag_; }

 private:
  std::shared_ptr<ui::NavigationController> makeTab(std::shared_ptr<ui::ViewController> root,
                                                    const char* title, const char* imageName);
  void showSetUpProfilePrompt();

  std::shared_ptr<ui::View> mySplashView_;
  std::shared_ptr<ui::TabBarController> tabBarController_;
  std::shared_ptr<catalogue::HomeViewController> homeViewController_;
  std::shared_ptr<catalogue::SearchViewController> searchViewController_;
  std::shared_ptr<ViewBagController> viewBagController_;
  std::shared_ptr<catalogue::OffersViewController> offersViewController_;
  std::shared_ptr<MoreViewController> moreViewController_;
  std::shared_ptr<ui::NavigationController> homeNavigationController_;
  std::shared_ptr<ui::NavigationController> searchNavigationController_;
  std::shared_ptr<ui::NavigationController> viewBagNavigationController_;
  std::shared_ptr<ui::NavigationController> offersNavigationController_;
  std::shared_ptr<ui::NavigationController> moreNavigationController_;
  std::shared_ptr<NoInternetConnectionViewController> noInternetConnection_;
  int alertFlag_ = 0;
};

}  // namespace kelda::app

#include "app/TarnAppDelegate.hpp"

#include <chrono>
#include <filesystem>

#include "account/SignInRequests.hpp"
#include "app/MoreViewController.hpp"
#include "app/NoInternetConnectionViewController.hpp"
#include "bag/ViewBagController.hpp"
#include "catalogue/HomeViewController.hpp"
#include "catalogue/OffersViewController.hpp"
#include "catalogue/SearchViewController.hpp"
#include "gateway/Connectivity.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/Reachability.hpp"
#include "gateway/ScreenLinks.hpp"
#include "gateway/StoredLogin.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/Context.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/Paths.hpp"
#include "platform/RunLoop.hpp"
#include "platform/TextFile.hpp"
#include "product/ProductPageOpener.hpp"
#include "product/ProductRequests.hpp"
#include "ui/BusyOverlay.hpp"
#include "ui/Label.hpp"
#include "ui/Transition.hpp"

namespace kelda::app {
namespace {

constexpr auto kSplashRemovalDelay = std::chrono::milliseconds(200);
constexpr double kCurlSeconds = 2;

// The splash picture shown while the launch decides what comes next.
std::shared_ptr<ui::View> makeSplashView() {
  auto splash = std::make_shared<ui::View>(ui::screenBounds());
  splash->identifier = "splash";
  splash->backgroundColor = ui::Color::white();
  auto name = splash->add<ui::Label>("Kelda", ui::TextStyle::Title);
  name->frame = ui::makeRect(20, 200, 280, 40);
  name->textAlignment = ui::TextAlignment::Center;
  return splash;
}

}  // namespace

TarnAppDelegate::TarnAppDelegate() {
  // The screens this delegate owns talk to these as they go, so they must be created first
  // (a context destroys its objects in reverse order of creation).
  platform::RunLoop::main();
  platform::NotificationCenter::defaultCenter();
  window();
}
TarnAppDelegate::~TarnAppDelegate() = default;

TarnAppDelegate& TarnAppDelegate::shared() {
  return platform::shared<TarnAppDelegate>();
}

ui::Window& TarnAppDelegate::window() const {
  return ui::Window::shared();
}

void TarnAppDelegate::applicationDidFinishLaunching() {
  gateway::guarded("-[TarnAppDelegate applicationDidFinishLaunching:]", [this] {
    gateway::TarnServerAPIs::sharedInstance().coremetricsURL();
    loadInterface();
  });
  window().makeKeyAndVisible();
}

void TarnAppDelegate::loadInterface() {
  mySplashView_ = makeSplashView();
  window().addSubview(mySplashView_);
  if (gateway::Reachability::sharedReachability().internetConnectionStatus() != 0) {
    // Deferred to the next pass of the run loop, so that the splash is drawn first.
    platform::RunLoop::main().schedule(platform::Duration::zero(), [this] { curlAction(); });
    return;
  }
  noInternetConnection_ = std::make_shared<NoInternetConnectionViewController>();
  // The no-connection screen covers the splash for the rest of the run.
  mySplashView_->removeFromSuperview();
  window().setRootViewController(noInternetConnection_);
}

std::shared_ptr<ui::NavigationController> TarnAppDelegate::makeTab(
    std::shared_ptr<ui::ViewController> root, const char* title, const char* imageName) {
  auto stack = std::make_shared<ui::NavigationController>(std::move(root));
  stack->tabBarItem().title = title;
  stack->tabBarItem().imageName = imageName;
  return stack;
}

void TarnAppDelegate::curlAction() {
  // Screens of lower subsystems (the bag screen) open product pages through this link.
  gateway::ScreenLinks::shared().openProductPage = [](ui::NavigationController& navigation,
                                                      const gateway::ProductPageRequest& page) {
    product::openProductPage(navigation, page);
  };
  gateway::ScreenLinks::shared().requestProduct =
      &product::ProductRequests::resultForProductDescription;
  homeViewController_ = std::make_shared<catalogue::HomeViewController>();
  searchViewController_ = std::make_shared<catalogue::SearchViewController>();
  viewBagController_ = std::make_shared<ViewBagController>();
  gateway::ScreenLinks::shared().bagScreen = [bag = viewBagController_] { return bag; };
  offersViewController_ = std::make_shared<catalogue::OffersViewController>();
  moreViewController_ = std::make_shared<MoreViewController>();
  homeNavigationController_ = makeTab(homeViewController_, "home", "home.png");
  searchNavigationController_ = makeTab(searchViewController_, "search", "Search.png");
  viewBagNavigationController_ = makeTab(viewBagController_, "my bag", "mybag_icon.png");
  offersNavigationController_ = makeTab(offersViewController_, "offers", "offer_icon.png");
  moreNavigationController_ = makeTab(moreViewController_, "more", "more_btn.png");
  offersNavigationController_->setTintColor(ui::Color::rgb(0.68, 0, 0));
  moreViewController_->navigationItem().title = "More";

  tabBarController_ = std::make_shared<ui::TabBarController>();
  tabBarController_->setViewControllers({homeNavigationController_, searchNavigationController_,
                                         viewBagNavigationController_, offersNavigationController_,
                                         moreNavigationController_});

  const bool splashOnScreen = mySplashView_ && mySplashView_->superview() != nullptr;
  ui::recordTransition(splashOnScreen ? ui::Transition::CurlUp : ui::Transition::CurlDown,
                       kCurlSeconds, "window");
  window().setRootViewController(tabBarController_);
  // The tabs now cover the splash; it leaves the window shortly after.
  if (mySplashView_) mySplashView_->hidden = true;
  platform::RunLoop::main().schedule(kSplashRemovalDelay, [splash = mySplashView_] {
    if (splash) splash->removeFromSuperview();
  });
  curlAction1();
}

void TarnAppDelegate::curlAction1() {
  if (!appLaunch()) {
    alertFlag_ = 0;
    if (alertFlag_ == 0) showSetUpProfilePrompt();
    return;
  }
  const std::filesystem::path login = gateway::storedLoginPath();
  std::error_code error;
  if (!login.empty() && std::filesystem::exists(login, error)) attempLogIn();
}

void TarnAppDelegate::showSetUpProfilePrompt() {
  ui::AlertView prompt;
  prompt.message = kSetUpProfileMessage;
  prompt.buttons = {"Now", "Later"};
  prompt.tag = kSetUpProfileAlertTag;
  prompt.clickedButtonAtIndex = [this, prompt](int index) { clickedButtonAtIndex(prompt, index); };
  ui::showAlert(std::move(prompt));
}

void TarnAppDelegate::clickedButtonAtIndex(const ui::AlertView& alert, int buttonIndex) {
  if (alert.tag != kSetUpProfileAlertTag || buttonIndex != 0) return;
  if (homeViewController_) homeViewController_->registration(nullptr);
}

bool TarnAppDelegate::appLaunch() {
  const std::filesystem::path documents = platform::documentsDirectory();
  if (documents.empty()) return false;
  const std::filesystem::path file = documents / kLaunchFile;
  std::error_code error;
  if (std::filesystem::exists(file, error)) return true;
  platform::writeTextFileAtomically(file, kLaunchedText, 0644);
  return false;
}

bool TarnAppDelegate::attempLogIn() {
  const json::Value login = fetchUserNameAndPassword();
  // Only this sign-in's own accepted answer counts (an earlier "YES" must not).
  const bool signedIn =
      login.size() == 2 &&
      account::SignInRequests::sign1(login["loginUserName"].str(), login["loginPassword"].str()) ==
          account::SignInOutcome::Accepted;
  platform::NotificationCenter::defaultCenter().postNotification(kLoginCompletedNotification,
                                                                 json::Value(signedIn ? "1" : "0"));
  return signedIn;
}

json::Value TarnAppDelegate::fetchUserNameAndPassword() const {
  return gateway::readStoredLogin();
}

std::string TarnAppDelegate::checkNetworkConnectivity() const {
  return gateway::checkNetworkConnectivity();
}

void TarnAppDelegate::signin(ui::View* sender) {
  auto& flags = gateway::GlobalFlags::shared();
  if (flags.loginSuccessful) {
    ui::showAlert(ui::AlertView{"", kAlreadyLoggedInMessage, {"OK"}, 0, nullptr});
    return;
  }
  if (flags.clickedLoginFromSearchPage == 5001) {
    if (searchViewController_) searchViewController_->signin(nullptr);
  } else if (homeViewController_) {
    homeViewController_->signin(sender);
  }
}

void TarnAppDelegate::registeration(ui::View* sender) {
  if (gateway::GlobalFlags::shared().clickedRegisterFromSearchPage == 6001) {
    if (searchViewController_) searchViewController_->registeration(sender);
  } else if (homeViewController_) {
    // Opening the form signs nobody in: only a confirmed sign-in or registration does.
    homeViewController_->registration(sender);
  }
}

void TarnAppDelegate::myAccount(ui::View* sender) {
  if (homeViewController_) homeViewController_->myAccount(sender);
}

void TarnAppDelegate::viewBag(ui::View* sender) {
  if (homeViewController_) homeViewController_->viewBag(sender);
}

std::shared_ptr<ui::View> TarnAppDelegate::activityIndicatorViewWithFrame(ui::Rect frame) const {
  return ui::activityIndicatorViewWithFrame(frame);
}

}  // namespace kelda::app

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/MoreViewController.hpp"
#include "app/NoInternetConnectionViewController.hpp"
#include "app/TarnAppDelegate.hpp"
#include "catalogue/HomeViewController.hpp"
#include "gateway/Components.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/RunLoop.hpp"
#include "platform/TextFile.hpp"
#include "support/ClientFixture.hpp"
#include "ui/Window.hpp"

namespace kelda::app {
namespace {

using namespace std::chrono_literals;

constexpr const char* kAccepted = R"({"status":[{"success":"AUTHENTICATED","error":""}],
  "profile":[{"emailAddress":"ann@x.com"}],"shipping":[],"defaultShipping":[],
  "creditCard":[],"defaultCreditCard":[]})";

class LaunchTest : public test::ClientFixture {
 protected:
  LaunchTest() {
    server().answer("/coremetrics_url", R"({"data":")" + server().url("/tag?c=1") + R"("})");
    server().answer("/tag", "{}");
    platform::NotificationCenter::defaultCenter().addObserver(
        TarnAppDelegate::kLoginCompletedNotification, this,
        [this](const platform::Notification& n) { loginCompleted.push_back(n.object.str()); });
  }
  ~LaunchTest() override { platform::NotificationCenter::defaultCenter().removeObserver(this); }

  TarnAppDelegate& delegate() { return TarnAppDelegate::shared(); }
  ui::Window& window() { return ui::Window::shared(); }
  // Launches and runs until the tabs (or the no-connection screen) are up.
  void launch() {
    delegate().applicationDidFinishLaunching();
    runUntilIdle();
  }
  void writeHomeFile(const char* name, const std::string& bytes) {
    std::ofstream(home() / name, std::ios::binary) << bytes;
  }
  // The middleware requests so far (analytics tags left out: the screens send page views).
  std::vector<std::string> paths() {
    std::vector<std::string> out;
    for (const auto& request : server().requests()) {
      if (request.path != "/tag") out.push_back(request.path);
    }
    return out;
  }
  std::size_t tagsOfKind(const std::string& kind) {
    runUntilIdle();
    std::size_t count = 0;
    for (const auto& request : server().requestsTo("/tag")) {
      if (request.query.find("&tid=" + kind + "&") != std::string::npos) ++count;
    }
    return count;
  }

  std::vector<std::string> loginCompleted;
};

TEST_F(LaunchTest, FirstLaunchBuildsTheTabsAndAsksForAProfile) {
  delegate().applicationDidFinishLaunching();
  // The analytics address comes first, before anything is built; the tabs wait for the loop.
  EXPECT_EQ(paths(), std::vector<std::string>{"/coremetrics_url"});
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(delegate().tabBarController(), nullptr);
  ASSERT_TRUE(delegate().mySplashView());
  EXPECT_NE(delegate().mySplashView()->superview(), nullptr);

  runUntilIdle();
  ui::TabBarController* tabs = delegate().tabBarController();
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(window().rootViewController().get(), tabs);
  ASSERT_EQ(tabs->viewControllers().size(), 5u);
  const std::vector<std::pair<std::string, std::string>> items = {{"home", "home.png"},
                                                                  {"search", "Search.png"},
                                                                  {"my bag", "mybag_icon.png"},
                                                                  {"offers", "offer_icon.png"},
                                                                  {"more", "more_btn.png"}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(tabs->itemAt(i).title, items[i].first);
    EXPECT_EQ(tabs->itemAt(i).imageName, items[i].second);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(std::getenv("KELDA_RESOURCES")) /
                                        items[i].second));
  }
  EXPECT_EQ(tabs->selectedIndex(), 0);
  EXPECT_EQ(delegate().homeNavigationController()->topViewController(),
            delegate().homeViewController());
  EXPECT_TRUE(delegate().offersNavigationController()->hasTintColor);
  EXPECT_EQ(delegate().offersNavigationController()->tintColor, ui::Color::rgb(0.68, 0, 0));
  EXPECT_EQ(delegate().moreViewController()->navigationItem().title, "More");
  const auto& events = window().events();
  EXPECT_NE(std::find(events.begin(), events.end(), "transition curlUp 2s window"), events.end());

  ASSERT_EQ(window().alerts().size(), 1u);
  const ui::AlertView& prompt = window().alerts().back();
  EXPECT_EQ(prompt.title, "");
  EXPECT_EQ(prompt.message, "Set up mobile profile");
  EXPECT_EQ(prompt.buttons, (std::vector<std::string>{"Now", "Later"}));
  EXPECT_EQ(prompt.tag, 1);
  EXPECT_EQ(platform::readTextFile(home() / "launch.plist"), "launched");
  EXPECT_TRUE(loginCompleted.empty());

  // The splash leaves 0.2 s after the tabs came.
  EXPECT_NE(delegate().mySplashView()->superview(), nullptr);
  advanceBy(200ms);
  EXPECT_EQ(delegate().mySplashView()->superview(), nullptr);

  EXPECT_TRUE(window().clickAlertButton(1));  // "Later"
  runUntilIdle();
  EXPECT_TRUE(window().alerts().empty());
  EXPECT_EQ(paths(), std::vector<std::string>{"/coremetrics_url"});
}

TEST_F(LaunchTest, LaterLaunchWithoutStoredLogInDoesNothingMore) {
  writeHomeFile("launch.plist", "launched");
  launch();
  ASSERT_NE(delegate().tabBarController(), nullptr);
  EXPECT_TRUE(window().alerts().empty());
  EXPECT_EQ(paths(), std::vector<std::string>{"/coremetrics_url"});
  EXPECT_TRUE(loginCompleted.empty());
}

TEST_F(LaunchTest, AnyLaunchFileCountsAsLaunchedBefore) {
  for (const std::string& bytes :
       {std::string(), std::string("\xff\x00\xfe", 3), std::string("<plist>broken")}) {
    writeHomeFile("launch.plist", bytes);
    EXPECT_TRUE(delegate().appLaunch());
  }
  std::filesystem::remove(home() / "launch.plist");
  std::filesystem::create_directory(home() / "launch.plist");
  launch();
  EXPECT_NE(delegate().tabBarController(), nullptr);
  EXPECT_TRUE(window().alerts().empty());
}

TEST_F(LaunchTest, LaterLaunchSignsTheStoredUserInSilently) {
  writeHomeFile("launch.plist", "launched");
  ASSERT_TRUE(gateway::Components::sharedInstance().saveLoginAccount("ann+1@x.com;se cret"));
  server().answer("/signin", kAccepted);
  launch();

  const auto request = server().lastRequest("/signin");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->body, "loginUserName=ann%2B1@x.com&loginPassword=se cret");
  EXPECT_EQ(loginCompleted, std::vector<std::string>{"1"});
  EXPECT_TRUE(gateway::GlobalFlags::shared().loginSuccessful);
  EXPECT_EQ(gateway::UserProfileDetails::sharedUserProfileObject()
                .profileDictionary()["emailAddress"]
                .str(),
            "ann@x.com");
  EXPECT_TRUE(window().alerts().empty());
  // The registration tag of the sign-in.
  EXPECT_EQ(tagsOfKind("2"), 1u);
}

TEST_F(LaunchTest, RefusedSilentSignInKeepsTheStoredLogIn) {
  writeHomeFile("launch.plist", "launched");
  writeHomeFile("login.plist", "ann@x.com;old");
  server().answer("/signin", R"({"status":[{"success":"FAILED","error":"Password changed"}]})");
  launch();
  EXPECT_EQ(loginCompleted, std::vector<std::string>{"0"});
  EXPECT_FALSE(gateway::GlobalFlags::shared().loginSuccessful);
  ASSERT_EQ(window().alerts().size(), 1u);
  EXPECT_EQ(window().alerts()[0].message, "Password changed");
  EXPECT_EQ(platform::readTextFile(home() / "login.plist"), "ann@x.com;old");
}

TEST_F(LaunchTest, StoredLogInValidity) {
  writeHomeFile("login.plist", "ann@x.com;pa;ss");
  EXPECT_TRUE(delegate().fetchUserNameAndPassword().empty());
  const json::Value valid = [&] {
    writeHomeFile("login.plist", "ann@x.com;p w");
    return delegate().fetchUserNameAndPassword();
  }();
  ASSERT_EQ(valid.size(), 2u);
  EXPECT_EQ(valid["loginUserName"].str(), "ann@x.com");
  EXPECT_EQ(valid["loginPassword"].str(), "p w");

  const std::vector<std::string> invalid = {"",
                                            "ann@x.com",
                                            "a;b;c",
                                            ";;",
                                            " ;secret",
                                            "ann@x.com; ",
                                            std::string("\xff\xfe;\x80", 4),
                                            "\xc3;x"};
  for (const std::string& text : invalid) {
    writeHomeFile("login.plist", text);
    EXPECT_TRUE(delegate().fetchUserNameAndPassword().isObject()) << text;
    EXPECT_TRUE(delegate().fetchUserNameAndPassword().empty()) << text;
  }
  std::filesystem::remove(home() / "login.plist");
  EXPECT_TRUE(delegate().fetchUserNameAndPassword().empty());
  std::filesystem::create_directory(home() / "login.plist");
  EXPECT_TRUE(delegate().fetchUserNameAndPassword().empty());
}

TEST_F(LaunchTest, InvalidStoredLogInMakesNoRequestAndIsLeftAsItIs) {
  writeHomeFile("launch.plist", "launched");
  for (const char* text : {"no separator", "a;b;c", " ;pw"}) {
    writeHomeFile("login.plist", text);
    loginCompleted.clear();
    EXPECT_FALSE(delegate().attempLogIn());
    EXPECT_EQ(loginCompleted, std::vector<std::string>{"0"}) << text;
    EXPECT_EQ(platform::readTextFile(home() / "login.plist"), text);
  }
  EXPECT_TRUE(server().requestsTo("/signin").empty());
}

TEST_F(LaunchTest, StoredLogInIsWrittenWholeForTheOwnerOnly) {
  auto& components = gateway::Components::sharedInstance();
  ASSERT_TRUE(components.saveLoginAccount("ann@x.com;first"));
  ASSERT_TRUE(
      components.saveLoginAccount("ann@x.com;s\xC3\xA9"
                                  "cond"));
  EXPECT_EQ(platform::readTextFile(home() / "login.plist"),
            "ann@x.com;s\xC3\xA9"
            "cond");
  struct stat info {};
  ASSERT_EQ(::stat((home() / "login.plist").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(delegate().fetchUserNameAndPassword()["loginPassword"].str(),
            "s\xC3\xA9"
            "cond");
}

TEST_F(LaunchTest, WithoutNetworkOnlyTheNoConnectionScreenIsShown) {
  forceReachability(platform::ForcedReachability::None);
  launch();
  advanceBy(3s);
  ASSERT_TRUE(delegate().noInternetConnection());
  EXPECT_EQ(window().rootViewController(), delegate().noInternetConnection());
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(delegate().tabBarController(), nullptr);
  EXPECT_EQ(delegate().homeViewController(), nullptr);
  EXPECT_TRUE(window().alerts().empty());
  EXPECT_FALSE(std::filesystem::exists(home() / "launch.plist"));
  EXPECT_EQ(delegate().noInternetConnection()->title(), "No Internet Connection");
}

TEST_F(LaunchTest, EmptyOrMalformedMiddlewareAddressCountsAsNoNetwork) {
  for (const char* address : {"", "not an address:port:x"}) {
    platform::Options options = test::testOptions(server(), home());
    options.middleware = address;
    auto fresh = std::make_unique<platform::Context>(options);
    platform::ScopedContext scope(*fresh);
    TarnAppDelegate::shared().applicationDidFinishLaunching();
    platform::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(TarnAppDelegate::shared().noInternetConnection()) << address;
    EXPECT_EQ(TarnAppDelegate::shared().tabBarController(), nullptr) << address;
    EXPECT_TRUE(ui::Window::shared().alerts().empty()) << address;
    fresh.reset();
  }
}

TEST_F(LaunchTest, AnsweringNowOpensRegistrationFromTheHomeTab) {
  launch();
  ASSERT_EQ(window().alerts().size(), 1u);
  EXPECT_TRUE(window().clickAlertButton(0));  // "Now"
  runUntilIdle();
  EXPECT_EQ(delegate().tabBarController()->selectedIndex(), 0);
}

TEST_F(LaunchTest, ConnectivityTexts) {
  forceReachability(platform::ForcedReachability::Wwan);
  EXPECT_EQ(delegate().checkNetworkConnectivity(), "e");
  forceReachability(platform::ForcedReachability::Wifi);
  EXPECT_EQ(delegate().checkNetworkConnectivity(), "wifi");
  forceReachability(platform::ForcedReachability::None);
  EXPECT_EQ(delegate().checkNetworkConnectivity(), "NoAccess");
}

TEST_F(LaunchTest, HeaderSignInWhileSignedInOnlySaysSo) {
  writeHomeFile("launch.plist", "launched");
  launch();
  gateway::GlobalFlags::shared().loginSuccessful = true;
  delegate().signin(nullptr);
  runUntilIdle();
  ASSERT_EQ(window().alerts().size(), 1u);
  EXPECT_EQ(window().alerts()[0].title, "");
  EXPECT_EQ(window().alerts()[0].message, "You have already logged in.");
  EXPECT_EQ(window().alerts()[0].buttons, std::vector<std::string>{"OK"});
}

}  // namespace
}  // namespace kelda::app

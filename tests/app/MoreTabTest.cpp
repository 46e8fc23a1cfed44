// The more tab, the header's sign-in and register, and the information pages, in the launched
// client against the fake middleware: the rows follow the sign-in state, log-out keeps the bag
// and nothing else of the account, and opening a form signs nobody in.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "account/LoginViewController.hpp"
#include "account/MyAccountViewController.hpp"
#include "account/RegistrationViewController.hpp"
#include "app/MoreViewController.hpp"
#include "app/TarnAppDelegate.hpp"
#include "bag/CoreDataHandler.hpp"
#include "catalogue/HomeViewController.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "platform/TextFile.hpp"
#include "support/AboutMeViewController.hpp"
#include "support/ClientFixture.hpp"
#include "support/PDFViewController.hpp"
#include "support/PoliciesViewController.hpp"
#include "ui/Actor.hpp"
#include "ui/NavigationController.hpp"
#include "ui/NetworkActivityIndicator.hpp"
#include "ui/ScreenTree.hpp"
#include "ui/Window.hpp"

namespace kelda::app {
namespace {

using gateway::GlobalFlags;

constexpr const char* kAccepted = R"({"status":[{"success":"AUTHENTICATED","error":""}],
  "profile":[{"emailAddress":"demo@kelda.test"}],"shipping":[{"contactId":"1"}],
  "defaultShipping":[{"contactId":"1"}],"creditCard":[{"cardId":"7","cardNumber":"4111"}],
  "defaultCreditCard":[{"cardId":"7"}]})";

class MoreTab : public test::ClientFixture {
 protected:
  MoreTab() {
    server().answer("/coremetrics_url", R"({"data":")" + server().url("/tag?c=1") + R"("})");
    server().answer("/tag", "{}");
    server().answer("/keldas_creditcardtype", R"({"data":[]})");
    platform::writeTextFileAtomically(home() / "launch.plist", "launched", 0644);
    delegate().applicationDidFinishLaunching();
    runUntilIdle();
  }
  TarnAppDelegate& delegate() { return TarnAppDelegate::shared(); }
  ui::Window& window() { return ui::Window::shared(); }
  ui::ViewController* top() { return window().topViewController(); }
  void act(const ui::ActResult& result) {
    ASSERT_TRUE(result.ok) << result.message;
    runUntilIdle();
  }
  ui::Actor actor() { return ui::Actor(window()); }
  std::vector<std::string> rowTitles() {
    std::vector<std::string> out;
    auto& table = delegate().moreViewController()->tableView();
    for (int s = 0; s < table.numberOfSections(); ++s) {
      out.push_back(table.cellForRowAtIndexPath({s, 0})->textLabel().text);
    }
    return out;
  }
  std::string screenText() { return ui::ScreenTree::capture(window()).text(); }

  const std::vector<std::string> kSignedOut{"sign in", "register", "store information", "about"};
  const std::vector<std::string> kSignedIn{"my account", "store information", "about", "logout"};
};

TEST_F(MoreTab, RowsFollowTheSignInStateAndLogOutKeepsTheBag) {
  ASSERT_TRUE(bag::CoreDataHandler::sharedCoreDataHandler().addNewRowInEntityWithObject(
      "5", "2", "3.00", std::nullopt, std::nullopt));
  act(actor().tab("more"));
  EXPECT_EQ(top()->title(), "More");
  EXPECT_EQ(rowTitles(), kSignedOut);
  EXPECT_EQ(delegate().tabBarController()->itemAt(2).badgeValue, "2");

  act(actor().tap("sign in"));
  auto* login = dynamic_cast<account::LoginViewController*>(top());
  ASSERT_NE(login, nullptr);
  EXPECT_EQ(login->pageFlag, "MoreView");
  server().answer("/signin", kAccepted);
  act(actor().type("field.email", "demo@kelda.test"));
  act(actor().type("field.password", "kelda123"));
  act(actor().tap("SIGN IN"));
  EXPECT_EQ(top(), delegate().moreViewController().get());
  EXPECT_EQ(rowTitles(), kSignedIn);

  act(actor().tap("my account"));
  EXPECT_NE(dynamic_cast<account::MyAccountViewController*>(top()), nullptr);
  act(actor().back());
  act(actor().tap("store information"));
  EXPECT_NE(top(), delegate().moreViewController().get());
  act(actor().back());
  EXPECT_EQ(top(), delegate().moreViewController().get());

  auto& profile = gateway::UserProfileDetails::sharedUserProfileObject();
  ASSERT_EQ(profile.defaultCreditCardArray().size(), 1u);
  act(actor().tap("logout"));
  EXPECT_EQ(rowTitles(), kSignedOut);
  EXPECT_FALSE(GlobalFlags::shared().loginSuccessful);
  EXPECT_FALSE(std::filesystem::exists(home() / "login.plist"));
  EXPECT_TRUE(profile.defaultCreditCardArray().empty()) << "the next shopper sees no cards";
  std::mutex lock;
  EXPECT_EQ(bag::CoreDataHandler::sharedCoreDataHandler().totalQuantityInBag(lock), 2);
}

TEST_F(MoreTab, OpeningRegistrationFromTheHeaderSignsNobodyIn) {
  delegate().registeration(nullptr);
  runUntilIdle();
  EXPECT_NE(dynamic_cast<account::RegistrationViewController*>(top()), nullptr);
  act(actor().back());
  EXPECT_FALSE(GlobalFlags::shared().loginSuccessful);

  delegate().signin(nullptr);
  runUntilIdle();
  EXPECT_TRUE(window().alerts().empty());
  EXPECT_NE(dynamic_cast<account::LoginViewController*>(top()), nullptr);

  GlobalFlags::shared().loginSuccessful = true;
  delegate().signin(nullptr);
  runUntilIdle();
  ASSERT_EQ(window().alerts().size(), 1u);
  EXPECT_EQ(window().alerts()[0].message, "You have already logged in.");
}

TEST_F(MoreTab, HomeAndSearchButtonsGoOnceSignedIn) {
  EXPECT_NE(screenText().find("nav.left [Sign In]"), std::string::npos) << screenText();
  EXPECT_NE(screenText().find("nav.right [Register]"), std::string::npos) << screenText();
  act(actor().tap("nav.left"));
  auto* login = dynamic_cast<account::LoginViewController*>(top());
  ASSERT_NE(login, nullptr);
  EXPECT_EQ(login->pageFlag, "HomeView");
  server().answer("/signin", kAccepted);
  act(actor().type("field.email", "demo@kelda.test"));
  act(actor().type("field.password", "kelda123"));
  act(actor().tap("SIGN IN"));
  EXPECT_EQ(top(), delegate().homeViewController().get());
  EXPECT_EQ(screenText().find("[Sign In]"), std::string::npos) << screenText();
  // The header's my-account action opens the account menu over the home screen.
  delegate().myAccount(nullptr);
  runUntilIdle();
  EXPECT_NE(dynamic_cast<account::MyAccountViewController*>(top()), nullptr);
  act(actor().back());

  act(actor().tab("search"));
  EXPECT_EQ(screenText().find("[Register]"), std::string::npos) << screenText();
}

TEST_F(MoreTab, AboutPageShowsTheVersionTexts) {
  act(actor().tab("more"));
  act(actor().tap("about"));
  EXPECT_EQ(top()->title(), "About");
  EXPECT_NE(screenText().find("Kelda 0.1.0"), std::string::npos) << screenText();
  bool tagged = false;
  for (const auto& r : server().requestsTo("/tag")) {
    tagged |= r.query.find("&pi=mobile.about.home&") != std::string::npos;
  }
  EXPECT_TRUE(tagged);
}

TEST_F(MoreTab, WebPagesReportFailuresAndEscapeTheErrorText) {
  window().setPageLoader([](const std::string& url) {
    return url.rfind("data:", 0) == 0 ? ui::PageLoad{true, ""}
                                      : ui::PageLoad{false, "<b>timed out</b> & gone"};
  });
  auto& stack = *delegate().homeNavigationController();
  auto policy = std::make_shared<support::PoliciesViewController>();
  policy->myURL = "http://web/service/returns/index.jsp?width=320&height=480";
  stack.pushViewController(policy, false);
  EXPECT_TRUE(ui::NetworkActivityIndicator::shared().isVisible());
  runUntilIdle();
  EXPECT_FALSE(ui::NetworkActivityIndicator::shared().isVisible());
  ASSERT_EQ(window().alerts().size(), 1u);
  EXPECT_EQ(window().alerts()[0].message,
            "Sorry! An unexpected error occurred during load. Please try it again.");
  EXPECT_EQ(top(), policy.get());
  window().clickAlertButton(0);

  auto pass = std::make_shared<support::PDFViewController>();
  pass->pdfUrlString = "http://web/pdf/pass/West.pdf";
  stack.pushViewController(pass, false);
  runUntilIdle();
  EXPECT_EQ(pass->title(), "Instore Savings Pass");
  EXPECT_EQ(support::PDFViewController::errorPage("<b>timed out</b> & gone"),
            "<html><center><font size=+5 color='red'>An error occurred:<br>&lt;b&gt;timed "
            "out&lt;/b&gt; &amp; gone</font></center></html>");
  EXPECT_EQ(pass->webView().url(),
            support::PDFViewController::errorPageURL("<b>timed out</b> & gone"));
  EXPECT_EQ(pass->webView().url().find('<'), std::string::npos);
  EXPECT_FALSE(ui::NetworkActivityIndicator::shared().isVisible());
}

}  // namespace
}  // namespace kelda::app

#include "UiFixture.hpp"
#include "ui/ActivityIndicatorView.hpp"
#include "ui/BusyOverlay.hpp"
#include "ui/Button.hpp"
#include "ui/NavigationController.hpp"
#include "ui/NetworkActivityIndicator.hpp"
#include "ui/TabBarController.hpp"

namespace kelda::ui::testing {
namespace {

class OverlayAlertTest : public UiTest {
 protected:
  void SetUp() override {
    screen = std::make_shared<ViewController>();
    screen->view()->add<Button>("Go", [this](Button&) { ++taps; });
    window().setRootViewController(screen);
    window().makeKeyAndVisible();
  }
  std::shared_ptr<ViewController> screen;
  int taps = 0;
};

TEST_F(OverlayAlertTest, BusyOverlayCoversTheScreenAndTakesEveryTouch) {
  auto overlay = activityIndicatorViewWithFrame(makeRect(10, 10, 5, 5));
  EXPECT_EQ(overlay->frame, makeRect(0, 0, 320, 480));
  EXPECT_EQ(overlay->backgroundColor, Color::gray(0.05));
  EXPECT_DOUBLE_EQ(overlay->alpha, 0.6);
  ASSERT_EQ(overlay->subviews().size(), 1u);
  auto& spinner = static_cast<ActivityIndicatorView&>(*overlay->subviews()[0]);
  EXPECT_EQ(spinner.style, ActivityIndicatorStyle::WhiteLarge);
  EXPECT_TRUE(spinner.isAnimating());

  screen->view()->addSubview(overlay);
  ActResult refused = actor.tap("Go");
  EXPECT_EQ(refused.message, "The screen is busy; wait until it is done");
  EXPECT_EQ(taps, 0);
  EXPECT_NE(screenText().find("Busy: please wait (the screen takes no touches)"),
            std::string::npos);

  // An alert over the overlay still takes its answer.
  int answered = -1;
  showAlert(AlertView{"Exception !", "boom", {"OK"}, 0, [&](int i) { answered = i; }});
  EXPECT_TRUE(actor.alertButton("ok"));
  EXPECT_EQ(answered, 0);

  overlay->removeFromSuperview();
  EXPECT_TRUE(actor.tap("Go"));
  EXPECT_EQ(taps, 1);
}

TEST_F(OverlayAlertTest, ScreenThatAcceptsNoTouchesRefusesTaps) {
  screen->view()->userInteractionEnabled = false;
  EXPECT_FALSE(actor.tap("Go"));
  screen->view()->userInteractionEnabled = true;
  EXPECT_TRUE(actor.tap("Go"));
}

TEST_F(OverlayAlertTest, AlertsStackAndAnswerInOrder) {
  Log answers;
  showAlert(AlertView{
      "", "first", {"OK"}, 1, [&](int i) { answers.push_back("first " + std::to_string(i)); }});
  showAlert(AlertView{"Network Error",
                      "No connection found, please try again later.",
                      {"Now", "Later"},
                      2,
                      [&](int i) { answers.push_back("second " + std::to_string(i)); }});
  EXPECT_EQ(actor.tap("Go").message, "An alert is open; answer it first (alert BUTTON)");
  EXPECT_EQ(actor.alertButton("Maybe").message, "The alert has no button \"Maybe\"");
  json::Value alert = screenJson()["alert"];
  EXPECT_EQ(alert["title"].str(), "Network Error");
  EXPECT_EQ(alert["buttons"][1]["id"].str(), "alert.button.1");
  EXPECT_EQ(alert["behind"].intValue(), 1);

  EXPECT_EQ(screenText(),
            "==  ==\n"
            "  button.0 [Go]\n"
            "Alert: Network Error\n"
            "  No connection found, please try again later.\n"
            "  alert.button.0 [Now]  alert.button.1 [Later]\n"
            "  (1 more behind)\n");
  EXPECT_TRUE(actor.alertButton("1"));
  EXPECT_TRUE(actor.tap("alert.button.0"));
  EXPECT_EQ(answers, (Log{"second 1", "first 0"}));
  EXPECT_EQ(actor.alertButton("OK").message, "No alert is shown");
  EXPECT_FALSE(window().clickAlertButton(0));
}

TEST_F(OverlayAlertTest, NetworkActivityIndicatorIsPerContext) {
  setNetworkActivityIndicatorVisible(true);
  EXPECT_TRUE(screenJson()["networkActivity"].boolValue());
  EXPECT_NE(screenText().find("Network activity: on\n"), std::string::npos);
  platform::Context other;
  platform::ScopedContext otherScope(other);
  EXPECT_FALSE(NetworkActivityIndicator::shared().isVisible());
}

}  // namespace
}  // namespace kelda::ui::testing

namespace kelda::ui::testing {
namespace {

TEST_F(UiTest, OverlayOverTheTabBarBlocksTheTabsToo) {
  auto screen = std::make_shared<ViewController>();
  auto nav = std::make_shared<NavigationController>(screen);
  nav->tabBarItem().title = "home";
  auto tabs = std::make_shared<TabBarController>();
  tabs->setViewControllers({nav, std::make_shared<ViewController>()});
  window().setRootViewController(tabs);
  window().makeKeyAndVisible();
  auto overlay = activityIndicatorViewWithFrame();
  tabs->view()->addSubview(overlay);
  EXPECT_EQ(actor.tab("1").message, "The screen is busy; wait until it is done");
  EXPECT_NE(screenText().find("  (busy overlay)\n"), std::string::npos);
  overlay->removeFromSuperview();
  EXPECT_TRUE(actor.tab("1"));
}

}  // namespace
}  // namespace kelda::ui::testing

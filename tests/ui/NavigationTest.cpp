#include "UiFixture.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TabBarController.hpp"
#include "ui/Transition.hpp"

namespace kelda::ui::testing {
namespace {

class NavigationTest : public UiTest {
 protected:
  std::shared_ptr<RecordingScreen> screen(const std::string& name) {
    return std::make_shared<RecordingScreen>(name, &log);
  }
  Log log;
};

TEST_F(NavigationTest, PushAndPopSendAppearanceCallbacksInOrder) {
  auto root = screen("root");
  auto nav = std::make_shared<NavigationController>(root);
  window().setRootViewController(nav);
  window().makeKeyAndVisible();
  EXPECT_EQ(log, (Log{"root didLoad", "root willAppear", "root didAppear"}));

  log.clear();
  auto detail = screen("detail");
  nav->pushViewController(detail);
  EXPECT_EQ(log, (Log{"root willDisappear", "detail didLoad", "detail willAppear",
                      "root didDisappear", "detail didAppear"}));
  EXPECT_EQ(detail->navigationController(), nav.get());
  EXPECT_EQ(window().topViewController(), detail.get());

  log.clear();
  EXPECT_EQ(nav->popViewControllerAnimated(), detail);
  EXPECT_EQ(log, (Log{"detail willDisappear", "root willAppear", "detail didDisappear",
                      "root didAppear"}));
  EXPECT_EQ(detail->navigationController(), nullptr);
  EXPECT_EQ(nav->popViewControllerAnimated(), nullptr);  // the root stays
}

TEST_F(NavigationTest, PopToRootAndPopToScreen) {
  auto a = screen("a"), b = screen("b"), c = screen("c"), d = screen("d");
  auto nav = std::make_shared<NavigationController>(a);
  window().setRootViewController(nav);
  window().makeKeyAndVisible();
  nav->pushViewController(b);
  nav->pushViewController(c);
  nav->pushViewController(d);
  nav->pushViewController(c);  // already in the stack: ignored
  EXPECT_EQ(nav->viewControllers().size(), 4u);

  log.clear();
  auto popped = nav->popToViewController(*b);
  ASSERT_EQ(popped.size(), 2u);
  EXPECT_EQ(popped[0], c);
  // Only the screen that was on top disappears; the skipped one gets no callbacks.
  EXPECT_EQ(log, (Log{"d willDisappear", "b willAppear", "d didDisappear", "b didAppear"}));

  auto stranger = screen("stranger");
  EXPECT_TRUE(nav->popToViewController(*stranger).empty());
  EXPECT_EQ(nav->topViewController(), b);

  EXPECT_EQ(nav->popToRootViewControllerAnimated().size(), 1u);
  EXPECT_EQ(nav->topViewController(), a);
}

TEST_F(NavigationTest, BackButtonTitleAndBackAction) {
  auto first = screen("Search");
  auto second = screen("Results");
  auto nav = std::make_shared<NavigationController>(first);
  window().setRootViewController(nav);
  window().makeKeyAndVisible();
  nav->pushViewController(second);
  EXPECT_EQ(nav->backButtonTitle(), "Search");
  first->navigationItem().backBarButtonItem = std::make_shared<BarButtonItem>("Previous");
  EXPECT_EQ(nav->backButtonTitle(), "Previous");
  first->navigationItem().backBarButtonItem.reset();
  first->navigationItem().title.clear();
  EXPECT_EQ(nav->backButtonTitle(), "Back");
  second->navigationItem().hidesBackButton = true;
  EXPECT_EQ(nav->backButtonTitle(), "");
  EXPECT_FALSE(actor.back());
  EXPECT_EQ(actor.tap("nav.back").message, "No element \"nav.back\" on the screen");
  second->navigationItem().hidesBackButton = false;

  EXPECT_TRUE(actor.back());
  EXPECT_EQ(nav->topViewController(), first);
  EXPECT_EQ(actor.back().message, "There is no back button on this screen");
}

TEST_F(NavigationTest, CustomLeftButtonTakesThePlaceOfBack) {
  auto first = screen("first");
  auto second = screen("second");
  auto nav = std::make_shared<NavigationController>(first);
  window().setRootViewController(nav);
  window().makeKeyAndVisible();
  nav->pushViewController(second);
  int pressed = 0;
  second->navigationItem().leftBarButtonItem =
      std::make_shared<BarButtonItem>("previous", [&] { ++pressed; });
  EXPECT_TRUE(actor.back());
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(nav->topViewController(), second);  // the screen decides what "previous" does
}

class TabsTest : public NavigationTest {
 protected:
  void SetUp() override {
    home = screen("home");
    search = screen("search");
    homeNav = std::make_shared<NavigationController>(home);
    searchNav = std::make_shared<NavigationController>(search);
    homeNav->tabBarItem() = TabBarItem{"home", "home.png", "", 0};
    searchNav->tabBarItem() = TabBarItem{"search", "Search.png", "", 1};
    tabs = std::make_shared<TabBarController>();
    tabs->setViewControllers({homeNav, searchNav});
    window().setRootViewController(tabs);
    window().makeKeyAndVisible();
    log.clear();
  }
  std::shared_ptr<RecordingScreen> home, search;
  std::shared_ptr<NavigationController> homeNav, searchNav;
  std::shared_ptr<TabBarController> tabs;
};

TEST_F(TabsTest, SwitchingTabsMovesAppearanceBetweenTopScreens) {
  EXPECT_TRUE(actor.tab("search"));
  EXPECT_EQ(tabs->selectedIndex(), 1);
  EXPECT_EQ(log, (Log{"home willDisappear", "search didLoad", "search willAppear",
                      "home didDisappear", "search didAppear"}));
  EXPECT_EQ(search->tabBarController(), tabs.get());

  // A screen pushed on a tab that is not shown loads only when its tab is shown.
  log.clear();
  auto detail = screen("detail");
  homeNav->pushViewController(detail);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(actor.tab("0"));
  EXPECT_EQ(window().topViewController(), detail.get());
  EXPECT_EQ(log, (Log{"search willDisappear", "detail didLoad", "detail willAppear",
                      "search didDisappear", "detail didAppear"}));
}

TEST_F(TabsTest, TappingTheSelectedTabReturnsToItsRoot) {
  int selections = 0;
  tabs->didSelect = [&](TabBarController&, int) { ++selections; };
  homeNav->pushViewController(screen("detail"));
  EXPECT_TRUE(actor.tab("HOME"));  // titles match ignoring case
  EXPECT_EQ(homeNav->topViewController(), home);
  EXPECT_EQ(selections, 1);
  // The program's own selection does not report a tap.
  tabs->setSelectedIndex(1);
  EXPECT_EQ(selections, 1);
  EXPECT_EQ(actor.tab("7").message, "No tab \"7\"");
  EXPECT_EQ(actor.tab("offers").message, "No tab \"offers\"");
  EXPECT_EQ(tabs->selectedIndex(), 1);
}

TEST_F(TabsTest, ModalScreenCoversTheTabsUntilDismissed) {
  auto sheet = screen("sheet");
  log.clear();
  home->presentModalViewController(sheet, true);
  EXPECT_EQ(log, (Log{"home willDisappear", "sheet didLoad", "sheet willAppear",
                      "home didDisappear", "sheet didAppear"}));
  EXPECT_EQ(home->modalViewController(), sheet);
  EXPECT_EQ(window().topViewController(), sheet.get());
  EXPECT_FALSE(screenJson()["tabs"].isArray());
  EXPECT_FALSE(actor.tab("search"));

  log.clear();
  sheet->dismissModalViewControllerAnimated(true);
  EXPECT_EQ(
      log, (Log{"sheet willDisappear", "home willAppear", "sheet didDisappear", "home didAppear"}));
  EXPECT_EQ(home->modalViewController(), nullptr);
  EXPECT_TRUE(screenJson()["tabs"].isArray());
}

TEST_F(TabsTest, BadgesAndTransitionsShowInTheWindow) {
  tabs->setBadgeValue(1, "3");
  tabs->setBadgeValue(9, "x");  // out of range: nothing
  json::Value tree = screenJson();
  EXPECT_EQ(tree["tabs"][1]["badge"].str(), "3");
  EXPECT_TRUE(tree["tabs"][0]["selected"].boolValue());
  recordTransition(Transition::CurlUp, 2, "window");
  recordTransition(Transition::FlipFromRight, 0.75, "Order Confirmation");
  EXPECT_EQ(window().events(),
            (std::vector<std::string>{"transition curlUp 2s window",
                                      "transition flipFromRight 0.75s Order Confirmation"}));
}

}  // namespace
}  // namespace kelda::ui::testing

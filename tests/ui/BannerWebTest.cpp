#include "UiFixture.hpp"
#include "ui/DropInBanner.hpp"
#include "ui/WebView.hpp"

namespace kelda::ui::testing {
namespace {

class BannerWebTest : public UiTest {
 protected:
  void SetUp() override {
    screen = std::make_shared<ViewController>();
    window().setRootViewController(screen);
    window().makeKeyAndVisible();
  }
  std::shared_ptr<ViewController> screen;
};

TEST_F(BannerWebTest, BannerDropsInAndFoldsAwayOnVirtualTime) {
  const std::string text =
      "We couldn\u2019t find any items that match your search term. Please enter a different "
      "search term and try again.";
  DropInBanner::show(text);
  EXPECT_EQ(screenJson()["banner"]["state"].str(), "droppingIn");
  idle();
  EXPECT_EQ(screenJson()["banner"]["state"].str(), "shown");
  EXPECT_NE(screenText().find("Banner: " + text + "\n"), std::string::npos);
  platform::RunLoop::main().advanceBy(std::chrono::seconds(2));
  EXPECT_TRUE(screenJson()["banner"].isObject());
  platform::RunLoop::main().advanceBy(std::chrono::seconds(1));
  EXPECT_TRUE(screenJson()["banner"].isAbsent());
  EXPECT_EQ(window().events(),
            (std::vector<std::string>{"banner dropIn " + text, "banner foldAway " + text}));
}

TEST_F(BannerWebTest, AnOlderBannerFoldingAwayLeavesTheNewOneShown) {
  auto& loop = platform::RunLoop::main();
  DropInBanner::show("first");
  idle();
  loop.advanceBy(std::chrono::seconds(2));
  DropInBanner::show("second");
  idle();
  loop.advanceBy(std::chrono::milliseconds(1500));  // the first banner's fold-away time passed
  EXPECT_EQ(screenJson()["banner"]["text"].str(), "second");
  loop.advanceBy(std::chrono::milliseconds(1500));
  EXPECT_TRUE(screenJson()["banner"].isAbsent());
  EXPECT_EQ(window().events(),
            (std::vector<std::string>{"banner dropIn first", "banner dropIn second",
                                      "banner foldAway second"}));
}

TEST_F(BannerWebTest, WebViewFinishesOrFailsOnALaterPass) {
  auto web = screen->view()->add<WebView>();
  Log events;
  web->didStartLoad = [&](WebView& w) { events.push_back("start " + w.url()); };
  web->didFinishLoad = [&](WebView& w) { events.push_back("finish " + w.pageText()); };
  web->didFailLoad = [&](WebView&, const std::string& e) { events.push_back("fail " + e); };
  window().setPageLoader([](const std::string& url) {
    if (url.find("missing") != std::string::npos) return PageLoad{false, "not found"};
    return PageLoad{true, "<html>"};
  });
  web->loadRequest("http://127.0.0.1/service/shipping/index.jsp?width=320&height=480");
  EXPECT_TRUE(web->isLoading());
  EXPECT_EQ(events.size(), 1u);
  idle();
  web->loadRequest("http://127.0.0.1/missing");
  idle();
  // A load dropped by a newer one reports nothing.
  web->loadRequest("http://127.0.0.1/a");
  web->loadRequest("http://127.0.0.1/b");
  web->stopLoading();
  idle();
  EXPECT_EQ(events, (Log{"start http://127.0.0.1/service/shipping/index.jsp?width=320&height=480",
                         "finish <html>", "start http://127.0.0.1/missing", "fail not found",
                         "start http://127.0.0.1/a", "start http://127.0.0.1/b"}));
  EXPECT_FALSE(web->isLoading());
}

}  // namespace
}  // namespace kelda::ui::testing

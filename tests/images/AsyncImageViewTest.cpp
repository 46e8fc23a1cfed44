// The self-loading image view: placeholder and spinner while loading, the picture after, the
// shared largerProductImage for the product's detail image only, and failed or superseded loads.
#include "support/AsyncImageView.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "gateway/TarnObjects.hpp"
#include "images/TestPng.hpp"
#include "support/ClientFixture.hpp"
#include "support/ImageLoadingQueue.hpp"

namespace kelda::test {
namespace {

using support::AsyncImageView;

class AsyncImageViewTest : public ClientFixture {
 protected:
  AsyncImageViewTest() {
    server().answer("/detail.png", {detail_, 200, "image/png"});
    server().answer("/thumb.png", {makePng(5, 5), 200, "image/png"});
    support::ImageLoadingQueue::shared().setTimeout(std::chrono::milliseconds(300));
  }
  void setDetailImage(const std::string& url) {
    json::Value data = json::Value::object({{"imageSourceDetail", json::Value(url)}});
    gateway::TarnObjects::sharedInstance().setProductDescriptionList(
        json::Value::object({{"data", json::Value::array({data})}}));
  }
  std::string placeholderName() const {
    auto* image = dynamic_cast<ui::ImageView*>(view_->subviews().at(0).get());
    return image != nullptr ? image->imageName : "";
  }

  const std::string detail_ = makePng(40, 30);
  std::shared_ptr<AsyncImageView> view_ =
      std::make_shared<AsyncImageView>(ui::makeRect(0, 0, 100, 80));
};

TEST_F(AsyncImageViewTest, ShowsThePlaceholderThenTheDetailImage) {
  setDetailImage(server().url("/detail.png"));
  gateway::TarnObjects::sharedInstance().setLargerProductImage(json::Value("old"));
  view_->loadImageFromURL(server().url("/detail.png"));
  EXPECT_TRUE(view_->isLargerImage());
  EXPECT_TRUE(view_->showsPlaceholder());
  EXPECT_TRUE(view_->showsSpinner());
  EXPECT_EQ(placeholderName(), "redbg.png");
  EXPECT_EQ(view_->subviews().at(0)->frame, ui::makeRect(0, 0, 100, 80));
  EXPECT_EQ(view_->subviews().at(1)->frame, ui::makeRect(40, 30, 20, 20));
  EXPECT_EQ(gateway::TarnObjects::sharedInstance().largerProductImage(), json::Value());

  runUntilIdle();
  EXPECT_FALSE(view_->showsPlaceholder());
  EXPECT_FALSE(view_->showsSpinner());
  ASSERT_EQ(view_->subviews().size(), 1u);
  auto* shown = dynamic_cast<ui::ImageView*>(view_->subviews()[0].get());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(*shown->imageData, detail_);
  ASSERT_TRUE(view_->image());
  EXPECT_EQ(view_->image()->width(), 40);
  EXPECT_EQ(gateway::TarnObjects::sharedInstance().largerProductImage(), json::Value(detail_));

  // Another picture of the product is not its detail image: the shared one is cleared.
  view_->loadImageFromURL(server().url("/thumb.png"));
  runUntilIdle();
  EXPECT_FALSE(view_->isLargerImage());
  EXPECT_EQ(view_->image()->width(), 5);
  EXPECT_EQ(gateway::TarnObjects::sharedInstance().largerProductImage(), json::Value());
}

TEST_F(AsyncImageViewTest, AFailedLoadKeepsThePlaceholderAndSpinner) {
  server().answer("/page.png", {"<html></html>", 200, "text/html"});
  FakeAnswer stalled;
  stalled.hold = true;
  server().answer("/stalled.png", stalled);
  for (const char* path : {"/missing.png", "/page.png", "/stalled.png"}) {
    auto view = std::make_shared<AsyncImageView>(ui::makeRect(0, 0, 10, 10));
    view->loadImageFromURL(server().url(path));
    runUntilIdle();
    EXPECT_TRUE(view->showsPlaceholder()) << path;
    EXPECT_TRUE(view->showsSpinner()) << path;
    EXPECT_FALSE(view->image()) << path;
  }
}

TEST_F(AsyncImageViewTest, ALaterLoadOrAViewThatWentAwayIgnoresTheEarlierAnswer) {
  server().answer("/slow.png", {makePng(7, 7), 200, "image/png", std::chrono::milliseconds(100)});
  view_->loadImageFromURL(server().url("/slow.png"));
  view_->loadImageFromURL(server().url("/thumb.png"));
  auto gone = std::make_shared<AsyncImageView>();
  gone->loadImageFromURL(server().url("/thumb.png"));
  gone.reset();
  runUntilIdle();
  ASSERT_TRUE(view_->image());
  EXPECT_EQ(view_->image()->width(), 5);
  EXPECT_EQ(view_->subviews().size(), 1u);
}

}  // namespace
}  // namespace kelda::test

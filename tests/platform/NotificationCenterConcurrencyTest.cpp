#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "platform/Context.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/RunLoop.hpp"

namespace kelda::platform {
namespace {

class NotificationCenterTest : public ::testing::Test {
 protected:
  NotificationCenterTest() : scope_(context_) {}

  Context context_;
  ScopedContext scope_;
  RunLoop& loop_ = RunLoop::main();
  NotificationCenter& center_ = NotificationCenter::defaultCenter();
  // Owner tokens.
  int home_ = 0;
  int bag_ = 0;
};

TEST_F(NotificationCenterTest, MainThreadPostIsDeliveredAtOnceToObserversOfThatName) {
  std::vector<std::string> heard;
  center_.addObserver("kNotificationIsLoginCompleted", &home_, [&](const Notification& n) {
    heard.push_back("home " + n.name + " " + n.object.describe() + " " +
                    n.userInfo["user"].describe());
  });
  center_.addObserver("kNotificationIsLoginCompleted", &bag_,
                      [&](const Notification&) { heard.push_back("bag"); });
  center_.addObserver("MyNotificationGoToCheckout", &bag_,
                      [&](const Notification&) { heard.push_back("checkout"); });

  center_.postNotification("kNotificationIsLoginCompleted", json::Value("sender"),
                           json::Value::object({{"user", json::Value("ann@example.com")}}));
  EXPECT_EQ(heard, (std::vector<std::string>{"home kNotificationIsLoginCompleted sender "
                                             "ann@example.com",
                                             "bag"}));
  EXPECT_EQ(loop_.runUntilIdle(), 0u);

  heard.clear();
  center_.removeObserver(&bag_, "kNotificationIsLoginCompleted");
  center_.postNotification("kNotificationIsLoginCompleted");
  center_.postNotification("MyNotificationGoToCheckout");
  center_.removeObserver(&bag_);
  center_.postNotification("MyNotificationGoToCheckout");
  center_.postNotification("NoOneListens");
  EXPECT_EQ(heard, (std::vector<std::string>{"home kNotificationIsLoginCompleted (null) (null)",
                                             "checkout"}));
}

TEST_F(NotificationCenterTest, ObserversRemovedDuringDeliveryAreNotCalledAfterwards) {
  std::vector<std::string> heard;
  int late = 0;
  center_.addObserver("update", &home_, [&](const Notification&) {
    heard.push_back("home");
    center_.removeObserver(&bag_);
    center_.removeObserver(&home_);  // removing itself while running is safe
    center_.addObserver("update", &late, [&](const Notification&) { heard.push_back("late"); });
  });
  center_.addObserver("update", &bag_, [&](const Notification&) { heard.push_back("bag"); });
  center_.postNotification("update");
  EXPECT_EQ(heard, (std::vector<std::string>{"home"}));
  center_.postNotification("update");
  EXPECT_EQ(heard, (std::vector<std::string>{"home", "late"}));
}

TEST_F(NotificationCenterTest, WorkerPostsAreDeliveredOnTheMainThread) {
  constexpr int kWorkers = 4;
  constexpr int kPosts = 25;
  int delivered = 0;  // main thread only
  bool allOnMain = true;
  center_.addObserver("NotificationIsRefineSearchUpdated", &home_, [&](const Notification& n) {
    allOnMain = allOnMain && loop_.isMainThread();
    delivered += static_cast<int>(n.object.intValue());
  });
  for (int w = 0; w < kWorkers; ++w) {
    detachThread([this] {
      for (int p = 0; p < kPosts; ++p) {
        center_.postNotification("NotificationIsRefineSearchUpdated", json::Value(1));
      }
    });
  }
  // Observers come and go on the main thread while the workers post.
  for (int i = 0; i < 50; ++i) {
    center_.addObserver("NotificationIsRefineSearchUpdated", &bag_, [](const Notification&) {});
    center_.removeObserver(&bag_);
  }
  loop_.runUntilIdle();
  EXPECT_TRUE(allOnMain);
  EXPECT_EQ(delivered, kWorkers * kPosts);
}

}  // namespace
}  // namespace kelda::platform

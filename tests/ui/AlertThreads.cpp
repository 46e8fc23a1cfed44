// showAlert from worker threads: every alert arrives on the main thread, none is lost.
#include <gtest/gtest.h>

#include <string>

#include "platform/Context.hpp"
#include "platform/RunLoop.hpp"
#include "ui/AlertView.hpp"
#include "ui/NetworkActivityIndicator.hpp"
#include "ui/Window.hpp"

namespace kelda::ui {
namespace {

TEST(AlertThreads, AlertsFromWorkersArePresentedOnTheMainThread) {
  platform::Context context;
  platform::ScopedContext scope(context);
  platform::RunLoop& loop = platform::RunLoop::main();
  Window& window = Window::shared();
  constexpr int kWorkers = 8;
  for (int i = 0; i < kWorkers; ++i) {
    loop.detachThread([i] {
      setNetworkActivityIndicatorVisible(i % 2 == 0);
      showAlert(AlertView{"", "worker " + std::to_string(i), {"OK"}, i, {}});
    });
  }
  loop.runUntilIdle();
  ASSERT_EQ(window.alerts().size(), static_cast<std::size_t>(kWorkers));
  int tags = 0;
  for (const auto& alert : window.alerts()) tags += alert.tag;
  EXPECT_EQ(tags, kWorkers * (kWorkers - 1) / 2);
  showAlert(AlertView{"", "main", {"OK"}, 99, {}});
  EXPECT_EQ(window.alerts().back().tag, 99);  // immediate on the main thread
}

}  // namespace
}  // namespace kelda::ui

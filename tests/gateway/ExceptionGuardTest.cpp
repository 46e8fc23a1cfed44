#include "gateway/ExceptionGuard.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Log.hpp"
#include "support/ClientFixture.hpp"
#include "ui/Window.hpp"

namespace kelda::gateway {
namespace {

class ExceptionGuardTest : public test::ClientFixture {
 protected:
  const std::vector<ui::AlertView>& alerts() {
    runUntilIdle();
    return ui::Window::shared().alerts();
  }
};

TEST_F(ExceptionGuardTest, CaughtExceptionIsLoggedAndShown) {
  log::Capture capture;
  const bool completed = guarded("-[TarnServerAPIs sign:password:]",
                                 [] { throw std::runtime_error("index 0 beyond bounds"); });
  EXPECT_FALSE(completed);
  EXPECT_EQ(capture.lines(),
            std::vector<std::string>{"-[TarnServerAPIs sign:password:]:index 0 beyond bounds"});
  ASSERT_EQ(alerts().size(), 1u);
  EXPECT_EQ(alerts()[0].title, "Exception !");
  EXPECT_EQ(alerts()[0].message, "index 0 beyond bounds");
  EXPECT_EQ(alerts()[0].buttons, std::vector<std::string>{"OK"});
}

TEST_F(ExceptionGuardTest, OwnTitleAndExceptionsOfAnyType) {
  EXPECT_FALSE(guarded(
      "-[TarnServerAPIs createProfile]", [] { throw std::out_of_range("bad key"); },
      "Create Profile Exception !"));
  EXPECT_FALSE(guarded("-[HomeViewController viewBag:]", [] { throw 42; }));
  ASSERT_EQ(alerts().size(), 2u);
  EXPECT_EQ(alerts()[0].title, "Create Profile Exception !");
  EXPECT_EQ(alerts()[0].message, "bad key");
  EXPECT_EQ(alerts()[1].title, "Exception !");
  EXPECT_EQ(alerts()[1].message, "Unknown exception");
}

TEST_F(ExceptionGuardTest, NormalReturnShowsNothing) {
  log::Capture capture;
  int runs = 0;
  EXPECT_TRUE(guarded("-[X y]", [&] { ++runs; }));
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(capture.lines().empty());
  EXPECT_TRUE(alerts().empty());
}

TEST_F(ExceptionGuardTest, ExceptionOnAWorkerIsShownOnTheMainThread) {
  platform::detachThread(
      [] { guarded("-[StoreViewController search:]", [] { throw std::runtime_error("x"); }); });
  ASSERT_EQ(alerts().size(), 1u);
  EXPECT_EQ(alerts()[0].message, "x");
}

}  // namespace
}  // namespace kelda::gateway

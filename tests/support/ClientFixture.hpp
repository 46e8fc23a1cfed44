// ClientFixture: the base of tests that run client code as a fresh launch would.
//
// Each test gets a new platform::Context made current, its RunLoop on a ManualClock (time
// moves only through advanceBy()), KELDA_HOME at a fresh temporary directory, a running
// FakeMiddleware with KELDA_MIDDLEWARE pointing at it, and KELDA_REACHABILITY removed (the
// loopback server is reachable). All of it is undone after the test: held requests of the fake
// are released, the loop runs until idle, the context goes, then the server stops.
//
//   class SignInTest : public kelda::test::ClientFixture {};
//   TEST_F(SignInTest, SendsTheStoredLogIn) {
//     server().answer("/signin", R"({"status":[{"success":"AUTHENTICATED"}]})");
//     ... start the action; runUntilIdle(); ...
//     EXPECT_EQ(server().lastRequest("/signin")->body, "...");
//   }
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "platform/Context.hpp"
#include "platform/RunLoop.hpp"
#include "support/FakeMiddleware.hpp"
#include "support/ScopedEnv.hpp"
#include "support/TempDirectory.hpp"

namespace kelda::test {

class ClientFixture : public ::testing::Test {
 protected:
  ClientFixture();
  ~ClientFixture() override;

  FakeMiddleware& server() { return server_; }
  platform::Context& context() { return *context_; }
  platform::RunLoop& runLoop();
  platform::ManualClock& clock() { return *clock_; }
  // The documents directory of this test (KELDA_HOME).
  const std::filesystem::path& home() const { return home_.path(); }

  // Main thread: run tasks until no worker runs and nothing is due.
  void runUntilIdle();
  // Main thread: move virtual time forward, running timers as they come due.
  void advanceBy(platform::Duration by);

 private:
  // Declared first so that it is destroyed last: workers may still talk to it.
  FakeMiddleware server_;
  MiddlewareOverride middleware_{server_};
  ScopedEnv reachability_{"KELDA_REACHABILITY", std::nullopt};
  TempDirectory home_;
  ScopedEnv homeEnv_{"KELDA_HOME", home_.path().string()};
  std::shared_ptr<platform::ManualClock> clock_ = std::make_shared<platform::ManualClock>();
  std::unique_ptr<platform::Context> context_ = std::make_unique<platform::Context>();
  std::optional<platform::ScopedContext> scope_;
};

}  // namespace kelda::test

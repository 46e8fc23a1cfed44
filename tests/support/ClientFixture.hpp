// ClientFixture: the base of tests that run client code as a fresh launch would, in the manner
// of a task environment with mock time.
//
// Each test gets a new platform::Context made current with its own Options (documents
// directory at a fresh temporary directory, the middleware and every other host at a running
// FakeMiddleware, the connection status not forced, the shipped resources), its RunLoop on a
// ManualClock (time moves only through advanceBy()). All of it is undone after the test: held
// requests of the fake are released, the loop runs until idle, the context goes, then the server
// stops. Nothing here touches the process environment.
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
#include <functional>
#include <memory>
#include <optional>

#include "platform/Context.hpp"
#include "platform/Options.hpp"
#include "platform/RunLoop.hpp"
#include "support/FakeMiddleware.hpp"
#include "support/TempDirectory.hpp"

namespace kelda::test {

// The options of a test run: every host at `server`, documents in `home`, nothing forced.
platform::Options testOptions(const FakeMiddleware& server, const std::filesystem::path& home);

class ClientFixture : public ::testing::Test {
 protected:
  ClientFixture();
  ~ClientFixture() override;

  FakeMiddleware& server() { return server_; }
  platform::Context& context() { return *context_; }
  platform::RunLoop& runLoop();
  platform::ManualClock& clock() { return *clock_; }
  // The documents directory of this test.
  const std::filesystem::path& home() const { return home_.path(); }

  // Changes this run's options (between actions, while no worker runs).
  void updateOptions(const std::function<void(platform::Options&)>& change);
  // Shorthands: the forced connection status (absent: the route decides), the middleware.
  void forceReachability(std::optional<platform::ForcedReachability> forced);
  void setMiddleware(const std::string& address);

  // Main thread: run tasks until no worker or image load runs and nothing is due.
  void runUntilIdle();
  // Main thread: move virtual time forward, running timers as they come due.
  void advanceBy(platform::Duration by);

 private:
  // Declared first so that it is destroyed last: workers may still talk to it.
  FakeMiddleware server_;
  TempDirectory home_;
  std::shared_ptr<platform::ManualClock> clock_ = std::make_shared<platform::ManualClock>();
  std::unique_ptr<platform::Context> context_;
  std::optional<platform::ScopedContext> scope_;
};

}  // namespace kelda::test

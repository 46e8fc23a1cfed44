#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/Context.hpp"
#include "platform/Log.hpp"
#include "platform/RunLoop.hpp"

namespace kelda::platform {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

class RunLoopTest : public ::testing::Test {
 protected:
  RunLoopTest() : scope_(context_), loop_(RunLoop::main()) { loop_.setClock(clock_); }

  // Virtual time in milliseconds.
  long long nowMs() const {
    return std::chrono::duration_cast<milliseconds>(clock_->now()).count();
  }

  Context context_;
  ScopedContext scope_;
  RunLoop& loop_;
  std::shared_ptr<ManualClock> clock_ = std::make_shared<ManualClock>();
};

TEST_F(RunLoopTest, RunsPostedTasksInOrderIncludingTasksTheyPost) {
  std::vector<std::string> ran;
  loop_.post([&] {
    ran.push_back("a");
    loop_.post([&] { ran.push_back("c"); });
  });
  loop_.post([&] { ran.push_back("b"); });
  EXPECT_EQ(loop_.runUntilIdle(), 3u);
  EXPECT_EQ(ran, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(loop_.runUntilIdle(), 0u);
}

TEST_F(RunLoopTest, TimersFireInDueOrderAtTheirVirtualTime) {
  std::vector<std::pair<std::string, long long>> fired;
  auto record = [&](std::string name) { return [&, name] { fired.emplace_back(name, nowMs()); }; };
  loop_.schedule(seconds(3), record("three"));
  loop_.schedule(seconds(1), [&] {
    record("one")();
    loop_.schedule(seconds(1), record("one+1"));  // comes due within the same advance
  });
  loop_.schedule(seconds(2), record("two"));
  loop_.schedule(seconds(2), record("two-later"));
  loop_.schedule(Duration(0), record("now"));

  EXPECT_EQ(loop_.runUntilIdle(), 1u);  // only the timer already due
  loop_.advanceBy(milliseconds(1500));
  EXPECT_EQ(nowMs(), 1500);
  loop_.advanceBy(seconds(10));
  EXPECT_EQ(nowMs(), 11500);
  using Fired = std::vector<std::pair<std::string, long long>>;
  EXPECT_EQ(fired, (Fired{{"now", 0},
                          {"one", 1000},
                          {"two", 2000},
                          {"two-later", 2000},
                          {"one+1", 2000},
                          {"three", 3000}}));
}

TEST_F(RunLoopTest, RepeatingTimerRearmsUntilCancelledEvenFromItsOwnCallback) {
  std::vector<long long> ticks;
  TimerId id = 0;
  id = loop_.schedule(
      milliseconds(500),
      [&] {
        ticks.push_back(nowMs());
        if (ticks.size() == 3) loop_.cancel(id);
      },
      true);
  loop_.advanceBy(seconds(1));
  EXPECT_EQ(ticks, (std::vector<long long>{500, 1000}));
  loop_.advanceBy(seconds(5));
  EXPECT_EQ(ticks, (std::vector<long long>{500, 1000, 1500}));

  // The checkout limit, cancelled before it runs out.
  int fired = 0;
  TimerId limit = loop_.schedule(seconds(1780), [&] { ++fired; });
  loop_.advanceBy(seconds(1000));
  loop_.cancel(limit);
  loop_.cancel(limit);  // twice is harmless
  loop_.advanceBy(seconds(2000));
  EXPECT_EQ(fired, 0);

  // A repeating timer with no interval must not spin runUntilIdle forever.
  int spins = 0;
  TimerId spin = loop_.schedule(
      Duration(0), [&] { ++spins; }, true);
  loop_.runUntilIdle();
  loop_.advanceBy(milliseconds(3));
  loop_.cancel(spin);
  EXPECT_EQ(spins, 3);
}

TEST_F(RunLoopTest, WorkersWaitingOnTheMainThreadDoNotDeadlock) {
  constexpr int kWorkers = 6;
  constexpr int kRounds = 20;
  int counter = 0;  // touched only on the main thread
  std::atomic<int> workerChecks{0};
  for (int w = 0; w < kWorkers; ++w) {
    detachThread([&] {
      EXPECT_FALSE(loop_.isMainThread());
      for (int r = 0; r < kRounds; ++r) {
        int seen = -1;
        performOnMainThread(
            [&] {
              EXPECT_TRUE(loop_.isMainThread());
              seen = ++counter;
            },
            true);
        if (seen > 0) ++workerChecks;  // waited: the task's effect is visible here
      }
    });
  }
  loop_.runUntilIdle();
  EXPECT_EQ(counter, kWorkers * kRounds);
  EXPECT_EQ(workerChecks.load(), kWorkers * kRounds);
  EXPECT_EQ(loop_.runningWorkers(), 0u);
}

TEST_F(RunLoopTest, RunUntilIdleWaitsForWorkersThatStartMoreWork) {
  std::vector<std::string> steps;  // main thread only
  detachThread([&] {
    performOnMainThread([&] { steps.push_back("first answer"); }, true);
    detachThread([&] {
      performOnMainThread(
          [&] {
            steps.push_back("second answer");
            detachThread(
                [&] { performOnMainThread([&] { steps.push_back("third answer"); }, false); });
          },
          false);
    });
  });
  loop_.runUntilIdle();
  EXPECT_EQ(steps, (std::vector<std::string>{"first answer", "second answer", "third answer"}));
  EXPECT_EQ(loop_.runningWorkers(), 0u);
}

TEST_F(RunLoopTest, ExceptionsEscapingTasksAreLoggedAndTheLoopGoesOn) {
  log::Capture capture(log::Level::Error);
  bool after = false;
  loop_.post([] { throw std::runtime_error("boom"); });
  loop_.post([&] { after = true; });
  detachThread([] { throw std::logic_error("worker boom"); });
  std::atomic<bool> workerAfter{false};
  detachThread([&] {
    performOnMainThread([] { throw 42; }, true);
    workerAfter = true;
  });
  loop_.runUntilIdle();
  EXPECT_TRUE(after);
  EXPECT_TRUE(workerAfter);
  auto lines = capture.lines();
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "RunLoop.performOnMainThread:uncaught exception of unknown type",
                       "RunLoop.worker:uncaught exception: worker boom",
                       "RunLoop:uncaught exception: boom"}));
}

TEST_F(RunLoopTest, RunReturnsAfterStopFromATaskOrAnotherThread) {
  int ran = 0;
  loop_.post([&] { ++ran; });
  loop_.post([&] { loop_.stop(); });
  loop_.run();
  EXPECT_EQ(ran, 1);

  detachThread([&] {
    performOnMainThread([&] { ++ran; }, true);
    loop_.stop();
  });
  loop_.run();
  EXPECT_EQ(ran, 2);
  loop_.runUntilIdle();

  // A real-time timer wakes a sleeping run().
  loop_.setClock(std::make_shared<SteadyClock>());
  loop_.schedule(milliseconds(2), [&] { loop_.stop(); });
  loop_.run();
}

TEST(RunLoopLifetime, ShutdownAndDestructionReleaseWorkersWaitingOnTheMainThread) {
  std::atomic<bool> taskRan{false};
  Context context;
  ScopedContext scope(context);
  RunLoop& loop = RunLoop::main();
  std::atomic<bool> workerFinished{false};
  loop.detachThread([&] {
    loop.performOnMainThread([&] { taskRan = true; }, true);
    workerFinished = true;
  });
  loop.shutdown();  // returns only once the worker has finished
  EXPECT_TRUE(workerFinished);
  loop.post([&] { taskRan = true; });
  loop.schedule(Duration(0), [&] { taskRan = true; });
  EXPECT_EQ(loop.runUntilIdle(), 0u);
  EXPECT_FALSE(taskRan);

  std::atomic<bool> secondFinished{false};
  {
    RunLoop other;
    other.detachThread([&] {
      other.performOnMainThread([&] { taskRan = true; }, true);
      secondFinished = true;
    });
  }  // destroyed without running
  EXPECT_TRUE(secondFinished);
  EXPECT_FALSE(taskRan);
}

}  // namespace
}  // namespace kelda::platform

// The harness's child processes: what they print and how they end, and that every wait is
// bounded (a hanging program is killed, not waited for).
#include "support/ChildProcess.hpp"

#include <gtest/gtest.h>
#include <signal.h>

namespace kelda::test {
namespace {

ChildSpec shell(const std::string& command) {
  return ChildSpec{{"/bin/sh", "-c", command}, {}, {}, {}};
}

TEST(ChildProcess, CapturesBothStreamsTheStatusAndTheEnvironment) {
  // HOME is set in this process: the child sees it removed.
  ChildSpec spec = shell("echo \"out $KELDA_E2E_SET ${HOME-gone}\"; echo err >&2; exit 3");
  spec.env = {{"KELDA_E2E_SET", "yes"}, {"HOME", std::nullopt}};
  ChildProcess child(spec);
  const ChildOutcome outcome = child.finish(Clock::now() + std::chrono::seconds(30));
  EXPECT_EQ(outcome.exitStatus, 3);
  EXPECT_EQ(outcome.signal, 0);
  EXPECT_FALSE(outcome.timedOut);
  EXPECT_EQ(outcome.out, "out yes gone\n");
  EXPECT_EQ(outcome.err, "err\n");
}

TEST(ChildProcess, LinesAreReadOneAtATimeAndTheRestIsKept) {
  ChildProcess child(shell("printf 'first\\nsecond\\ntail'"));
  const auto deadline = Clock::now() + std::chrono::seconds(30);
  EXPECT_EQ(child.readLine(deadline), "first");
  EXPECT_EQ(child.finish(deadline).out, "second\ntail");
}

TEST(ChildProcess, HangingProgramsAreKilledAtTheDeadline) {
  const auto started = Clock::now();
  ChildProcess silent(shell("exec sleep 30"));
  EXPECT_EQ(silent.readLine(Clock::now() + std::chrono::milliseconds(100)), std::nullopt);

  ChildProcess hanging(shell("echo started; exec sleep 30"));
  const ChildOutcome outcome = hanging.finish(Clock::now() + std::chrono::milliseconds(300));
  EXPECT_TRUE(outcome.timedOut);
  EXPECT_EQ(outcome.signal, SIGKILL);
  EXPECT_EQ(outcome.exitStatus, -1);
  EXPECT_EQ(outcome.out, "started\n");

  // A program that ignores SIGTERM is killed after the grace period.
  ChildProcess stubborn(shell("trap '' TERM; echo ready; exec sleep 30"));
  EXPECT_EQ(stubborn.readLine(Clock::now() + std::chrono::seconds(30)), "ready");
  const ChildOutcome stopped = stubborn.stop(std::chrono::milliseconds(200));
  EXPECT_EQ(stopped.signal, SIGKILL);
  EXPECT_TRUE(stopped.timedOut);

  EXPECT_LT(Clock::now() - started, std::chrono::seconds(10));  // the silent one goes with it
}

TEST(ChildProcess, ProgramThatCannotStartIsReported) {
  EXPECT_THROW(ChildProcess(ChildSpec{{"/nonexistent/kelda-program"}, {}, {}, {}}),
               std::runtime_error);
}

}  // namespace
}  // namespace kelda::test

// ChildProcess: one program run as a child of the test, with its standard output and error read
// through pipes and every wait bounded by a deadline.
//
// The object owns the child: a child still running when the object goes is killed (SIGKILL) and
// reaped, so no test leaves a process behind. Waits use a pidfd and poll(), never sleeps. Use an
// object from one thread only.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kelda::test {

using Clock = std::chrono::steady_clock;

// One environment change for the child: a value sets the variable, none removes it.
using EnvChange = std::pair<std::string, std::optional<std::string>>;

struct ChildSpec {
  std::vector<std::string> argv;     // argv[0] is the program's path
  std::vector<EnvChange> env;        // applied over this process's environment
  std::filesystem::path stderrFile;  // empty: standard error is piped and captured
  std::filesystem::path stdinFile;   // empty: standard input is /dev/null
};

// How a child ended and what it printed.
struct ChildOutcome {
  int exitStatus = -1;    // the exit status; -1 when a signal ended it
  int signal = 0;         // the signal that ended it, 0 when it exited
  bool timedOut = false;  // the deadline passed and the child was killed
  std::string out;
  std::string err;  // empty when standard error went to a file
};

class ChildProcess {
 public:
  // Starts the program with standard input from /dev/null. Throws std::runtime_error when the
  // program cannot be started.
  explicit ChildProcess(const ChildSpec& spec);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }

  // Reads standard output up to the next end of line (the line without it). Absent when the
  // output ends or the deadline passes first.
  std::optional<std::string> readLine(Clock::time_point deadline);

  // Reads everything the child prints until it ends; past the deadline the child is killed.
  ChildOutcome finish(Clock::time_point deadline);

  // Asks the child to end (SIGTERM); after `grace` it is killed. Answers how it ended.
  ChildOutcome stop(std::chrono::milliseconds grace);

 private:
  bool waitForExit(Clock::time_point deadline);
  void kill(int signal);
  void reap();
  void drain(Clock::time_point deadline);
  void closeFd(int& fd);

  pid_t pid_ = -1;
  int pidfd_ = -1;
  int outFd_ = -1;
  int errFd_ = -1;
  bool reaped_ = false;
  int rawStatus_ = 0;
  bool timedOut_ = false;
  std::string out_;  // read but not yet handed out
  std::string err_;
};

}  // namespace kelda::test

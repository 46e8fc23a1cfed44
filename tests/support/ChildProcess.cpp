#include "support/ChildProcess.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <map>
#include <stdexcept>

extern char** environ;

namespace kelda::test {
namespace {

// Milliseconds left until the deadline, for poll(): never negative.
int millisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

std::vector<std::string> childEnvironment(const std::vector<EnvChange>& changes) {
  std::map<std::string, std::string> variables;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const auto equals = text.find('=');
    if (equals != std::string::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const auto& [name, value] : changes) {
    if (value)
      variables[name] = *value;
    else
      variables.erase(name);
  }
  std::vector<std::string> result;
  for (const auto& [name, value] : variables) result.push_back(name + "=" + value);
  return result;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
  std::vector<char*> result;
  for (auto& text : texts) result.push_back(text.data());
  result.push_back(nullptr);
  return result;
}

// The spawn's file actions and attributes, released on every path.
struct SpawnSetup {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    // The child starts with no blocked signals and the default SIGPIPE, whatever the test has.
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
};

// A pipe whose ends close when it goes, unless taken.
struct Pipe {
  int read = -1;
  int write = -1;
  Pipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
      throw std::runtime_error("pipe: " + std::string(strerror(errno)));
    read = fds[0];
    write = fds[1];
  }
  ~Pipe() {
    if (read >= 0) close(read);
    if (write >= 0) close(write);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  int takeRead() { return std::exchange(read, -1); }
};

}  // namespace

ChildProcess::ChildProcess(const ChildSpec& spec) {
  if (spec.argv.empty()) throw std::runtime_error("no program to start");
  SpawnSetup setup;
  Pipe out;
  std::optional<Pipe> err;
  const std::string input = spec.stdinFile.empty() ? "/dev/null" : spec.stdinFile.string();
  posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&setup.actions, out.write, STDOUT_FILENO);
  if (spec.stderrFile.empty()) {
    err.emplace();
    posix_spawn_file_actions_adddup2(&setup.actions, err->write, STDERR_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&setup.actions, STDERR_FILENO, spec.stderrFile.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0600);
  }
  std::vector<std::string> argv = spec.argv;
  std::vector<std::string> env = childEnvironment(spec.env);
  const int rc = posix_spawn(&pid_, argv[0].c_str(), &setup.actions, &setup.attributes,
                             pointers(argv).data(), pointers(env).data());
  if (rc != 0) throw std::runtime_error("cannot start " + argv[0] + ": " + strerror(rc));
  pidfd_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
  if (pidfd_ < 0) {
    ::kill(pid_, SIGKILL);
    reap();
    throw std::runtime_error("pidfd_open: " + std::string(strerror(errno)));
  }
  outFd_ = out.takeRead();
  if (err) errFd_ = err->takeRead();
}

ChildProcess::~ChildProcess() {
  if (!reaped_) {
    kill(SIGKILL);
    reap();
  }
  closeFd(outFd_);
  closeFd(errFd_);
  closeFd(pidfd_);
}

std::optional<std::string> ChildProcess::readLine(Clock::time_point deadline) {
  while (true) {
    const auto end = out_.find('\n');
    if (end != std::string::npos) {
      std::string line = out_.substr(0, end);
      out_.erase(0, end + 1);
      return line;
    }
    if (outFd_ < 0) return std::nullopt;
    pollfd entry{outFd_, POLLIN, 0};
    if (poll(&entry, 1, millisecondsUntil(deadline)) <= 0) return std::nullopt;
    char buffer[4096];
    const ssize_t n = read(outFd_, buffer, sizeof buffer);
    if (n <= 0) {
      closeFd(outFd_);
      return std::nullopt;
    }
    out_.append(buffer, static_cast<std::size_t>(n));
  }
}

ChildOutcome ChildProcess::finish(Clock::time_point deadline) {
  drain(deadline);
  if (!waitForExit(deadline)) {
    timedOut_ = true;
    kill(SIGKILL);
  }
  reap();
  // Whatever was still in the pipes when the child was killed.
  drain(Clock::now() + std::chrono::seconds(1));
  ChildOutcome outcome;
  outcome.timedOut = timedOut_;
  if (WIFEXITED(rawStatus_)) outcome.exitStatus = WEXITSTATUS(rawStatus_);
  if (WIFSIGNALED(rawStatus_)) outcome.signal = WTERMSIG(rawStatus_);
  outcome.out = std::move(out_);
  outcome.err = std::move(err_);
  return outcome;
}

ChildOutcome ChildProcess::stop(std::chrono::milliseconds grace) {
  if (!reaped_) {
    kill(SIGTERM);
    if (!waitForExit(Clock::now() + grace)) {
      timedOut_ = true;
      kill(SIGKILL);
    }
  }
  return finish(Clock::now() + std::chrono::seconds(5));
}

bool ChildProcess::waitForExit(Clock::time_point deadline) {
  if (reaped_) return true;
  pollfd entry{pidfd_, POLLIN, 0};
  return poll(&entry, 1, millisecondsUntil(deadline)) > 0;
}

void ChildProcess::kill(int signal) {
  if (!reaped_) ::kill(pid_, signal);  // the pid stays ours until reaped
}

void ChildProcess::reap() {
  if (reaped_) return;
  while (waitpid(pid_, &rawStatus_, 0) < 0 && errno == EINTR) {
  }
  reaped_ = true;
}

// Reads both pipes until they close or the deadline passes.
void ChildProcess::drain(Clock::time_point deadline) {
  while (outFd_ >= 0 || errFd_ >= 0) {
    pollfd entries[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
    if (poll(entries, 2, millisecondsUntil(deadline)) <= 0) return;
    for (auto& entry : entries) {
      if (entry.fd < 0 || entry.revents == 0) continue;
      int& fd = entry.fd == outFd_ ? outFd_ : errFd_;
      std::string& text = entry.fd == outFd_ ? out_ : err_;
      char buffer[8192];
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n <= 0)
        closeFd(fd);
      else
        text.append(buffer, static_cast<std::size_t>(n));
    }
  }
}

void ChildProcess::closeFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

}  // namespace kelda::test

// The end-to-end harness: the built kelda-middleware as a child process on free loopback ports,
// and kelda-cli runs of a script against it, each bounded in time.
//
// A test owns its Middleware (stopped in the destructor: SIGTERM, then SIGKILL after a few
// seconds) and makes CliRun objects from KeldaCli::run. Programs are found in KELDA_BIN, the
// client's resources in KELDA_RESOURCES (or KELDA_SOURCE/resources). Use from the test's thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/ChildProcess.hpp"

namespace kelda::test {

// The directory of the built programs (KELDA_BIN); empty when it is not set.
std::filesystem::path binDirectory();
// Empty when kelda-cli and kelda-middleware are both built; else what is missing.
std::string missingPrograms();

struct MiddlewareOptions {
  long long products = 300;
  std::uint64_t seed = 1;
  // Fault rules (--faults); empty: none.
  std::string faults{};
};

class Middleware {
 public:
  // Starts kelda-middleware with a fresh data directory below `workDir` and waits (at most 60 s,
  // for seeding) for the addresses it prints. Throws std::runtime_error when it does not come up.
  Middleware(const std::filesystem::path& workDir, MiddlewareOptions options = {});
  ~Middleware();
  Middleware(const Middleware&) = delete;
  Middleware& operator=(const Middleware&) = delete;

  // "127.0.0.1:PORT" of the main address and of the landing-page list address.
  const std::string& address() const { return address_; }
  const std::string& ctrAddress() const { return ctrAddress_; }
  // The directory of its kelda-middleware.sqlite.
  const std::filesystem::path& dataDirectory() const { return dataDirectory_; }
  // What the server wrote to standard error so far (its log).
  std::string log() const;
  // Stops it now; answers how it ended (also done by the destructor).
  ChildOutcome stop();

 private:
  std::filesystem::path logFile_;
  std::filesystem::path dataDirectory_;
  std::unique_ptr<ChildProcess> process_;
  std::string address_;
  std::string ctrAddress_;
};

// One finished kelda-cli run.
struct CliRun {
  int status = -1;  // exit status; -1 when a signal ended it
  bool timedOut = false;
  std::string out;
  std::string err;

  // What was printed after the line echoing "> command", up to the next echoed command (empty
  // when that command was not echoed). With several equal commands, the first.
  std::string after(const std::string& command) const;
  // Everything for a failure message.
  std::string describe() const;
};

class KeldaCli {
 public:
  // Runs against this middleware address; the landing-page list, web and maps hosts point at
  // `ctrAddress` and `address` too.
  KeldaCli(std::string address, std::string ctrAddress, std::filesystem::path workDir);

  // Adds (or with no value removes) a variable in the environment of every later run.
  void setEnvironment(std::string name, std::optional<std::string> value);

  // Runs `script` (written to a file) with `home` as documents directory; killed after `limit`.
  CliRun run(const std::string& script, const std::filesystem::path& home,
             std::chrono::seconds limit = std::chrono::seconds(60),
             const std::vector<std::string>& extraArguments = {}) const;
  // Runs kelda-cli with exactly these arguments (after the program), standard input from
  // `standardInput` (empty: /dev/null); killed after `limit`.
  CliRun runWithArguments(const std::vector<std::string>& arguments,
                          const std::filesystem::path& standardInput = {},
                          std::chrono::seconds limit = std::chrono::seconds(60)) const;
  // A new file in the work directory holding `text`.
  std::filesystem::path writeFile(const std::string& text) const;

 private:
  std::string address_;
  std::string ctrAddress_;
  std::filesystem::path workDir_;
  std::vector<EnvChange> extraEnv_;
  mutable int runs_ = 0;  // names each run's script file
};

}  // namespace kelda::test

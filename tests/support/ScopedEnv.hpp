// ScopedEnv: sets (or removes) one environment variable for its lifetime and restores the
// earlier state afterwards. MiddlewareOverride points the client's middleware address
// (KELDA_MIDDLEWARE) at a fake server for a test's duration.
//
// The environment is process-wide: change it only on the test's main thread, while no worker
// of the code under test is running.
#pragma once

#include <optional>
#include <string>

namespace kelda::test {

class FakeMiddleware;

class ScopedEnv {
 public:
  // Sets `name` to `value`; with no value, removes it.
  ScopedEnv(std::string name, std::optional<std::string> value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

class MiddlewareOverride {
 public:
  explicit MiddlewareOverride(const FakeMiddleware& server);

 private:
  ScopedEnv env_;
};

}  // namespace kelda::test

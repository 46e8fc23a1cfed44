// SignInGuard: limits failed password checks, per account (its e-mail address, any letter case)
// and per client address, within a time window. Past either limit every password check of that
// account or address is refused at once, the right password too, until the window that began
// with the first failure has passed; a success clears the account's count (not the address's).
// The table of counts is bounded. Thread-safe.
#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kelda::server {

struct SignInLimits {
  int failuresPerAccount = 10;
  int failuresPerAddress = 100;
  std::chrono::seconds window{15 * 60};
};

class SignInGuard {
 public:
  explicit SignInGuard(SignInLimits limits = {}) : limits_(limits) {}
  SignInGuard(const SignInGuard&) = delete;
  SignInGuard& operator=(const SignInGuard&) = delete;

  // False when the account or the address has used up its failures.
  bool allowed(std::string_view email, std::string_view client);
  void failed(std::string_view email, std::string_view client);
  void succeeded(std::string_view email);

 private:
  using Clock = std::chrono::steady_clock;
  struct Count {
    int failures = 0;
    Clock::time_point since;
  };
  bool exhausted(const std::string& key, int limit, Clock::time_point now);
  void add(const std::string& key, Clock::time_point now);

  static constexpr std::size_t kMaxKeys = 100000;
  SignInLimits limits_;
  std::mutex mutex_;
  std::unordered_map<std::string, Count> counts_;
};

}  // namespace kelda::server

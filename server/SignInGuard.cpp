#include "SignInGuard.hpp"

#include "Text.hpp"

namespace kelda::server {
namespace {

std::string accountKey(std::string_view email) {
  return "a:" + lowerAscii(trim(email));
}

std::string addressKey(std::string_view client) {
  return "c:" + std::string(client);
}

}  // namespace

bool SignInGuard::exhausted(const std::string& key, int limit, Clock::time_point now) {
  auto it = counts_.find(key);
  if (it == counts_.end()) return false;
  if (now - it->second.since >= limits_.window) {
    counts_.erase(it);
    return false;
  }
  return it->second.failures >= limit;
}

void SignInGuard::add(const std::string& key, Clock::time_point now) {
  auto it = counts_.find(key);
  if (it != counts_.end() && now - it->second.since < limits_.window) {
    ++it->second.failures;
    return;
  }
  if (it == counts_.end() && counts_.size() >= kMaxKeys) {
    std::erase_if(counts_,
                  [&](const auto& entry) { return now - entry.second.since >= limits_.window; });
    // Still full: make room at the cost of one count rather than grow without bound.
    if (counts_.size() >= kMaxKeys) counts_.erase(counts_.begin());
  }
  counts_[key] = Count{1, now};
}

bool SignInGuard::allowed(std::string_view email, std::string_view client) {
  const auto now = Clock::now();
  std::lock_guard lock(mutex_);
  return !exhausted(accountKey(email), limits_.failuresPerAccount, now) &&
         !exhausted(addressKey(client), limits_.failuresPerAddress, now);
}

void SignInGuard::failed(std::string_view email, std::string_view client) {
  const auto now = Clock::now();
  std::lock_guard lock(mutex_);
  add(accountKey(email), now);
  add(addressKey(client), now);
}

void SignInGuard::succeeded(std::string_view email) {
  std::lock_guard lock(mutex_);
  counts_.erase(accountKey(email));
}

}  // namespace kelda::server

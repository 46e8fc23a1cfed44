// AnalyticsLog: the analytics sink's memory. The newest tags the client sent are kept, at most
// kMaxTags of them and kMaxBytes of query text together (older ones are dropped first), and are
// read back a page at a time. Tags carry shoppers' e-mail addresses, so the log is served only
// to callers on the loopback interface or holding the token made at start (see mayRead).
// Thread-safe.
#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <string_view>

#include "Json.hpp"

namespace kelda::server {

class AnalyticsLog {
 public:
  static constexpr std::size_t kMaxTags = 10000;
  static constexpr std::size_t kMaxBytes = 4 * 1024 * 1024;
  static constexpr std::size_t kPageSize = 100;

  // Makes the random token that opens the log to callers off the loopback interface.
  AnalyticsLog();

  // Records one tag: its raw query text (everything after "?").
  void record(std::string query);
  // One page (1-based) of the kept tags, oldest first:
  // {"data": [{"query": raw text, "fields": {name: decoded value}}, ...], "page": P,
  //  "pageCount": N, "totalCount": T}. A page past the last has empty "data".
  json::Value answer(std::size_t page) const;
  std::size_t size() const;

  // True for a caller on the loopback interface (127.0.0.0/8, ::1) or one giving the token.
  bool mayRead(std::string_view remoteAddress, std::string_view token) const;
  const std::string& token() const { return token_; }

 private:
  mutable std::mutex mutex_;
  std::deque<std::string> tags_;
  std::size_t bytes_ = 0;
  std::string token_;
};

}  // namespace kelda::server

// AnalyticsLog: the analytics sink's memory. Every tag the client sends is kept (the newest
// 10,000) and can be read back as one JSON answer. Thread-safe.
#pragma once

#include <deque>
#include <mutex>
#include <string>

#include "Json.hpp"

namespace kelda::server {

class AnalyticsLog {
 public:
  // Records one tag: its raw query text (everything after "?").
  void record(std::string query);
  // {"data": [{"query": raw text, "fields": {name: decoded value}}, ...]} oldest first.
  json::Value answer() const;
  std::size_t size() const;

 private:
  mutable std::mutex mutex_;
  std::deque<std::string> tags_;
};

}  // namespace kelda::server

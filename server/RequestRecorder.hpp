// RequestRecorder: the --record log. Every request becomes one line of JSON with "method",
// "path", "query" (the raw text after "?") and "body" (the raw body as text; bytes that are not
// UTF-8 shown as U+FFFD). Lines are appended and flushed one at a time. Thread-safe.
#pragma once

#include <filesystem>
#include <fstream>
#include <mutex>
#include <string_view>

namespace kelda::server {

class RequestRecorder {
 public:
  // Opens the file for appending; throws std::runtime_error when it cannot.
  explicit RequestRecorder(const std::filesystem::path& file);
  void record(std::string_view method, std::string_view path, std::string_view query,
              std::string_view body);

 private:
  std::mutex mutex_;
  std::ofstream out_;
};

}  // namespace kelda::server

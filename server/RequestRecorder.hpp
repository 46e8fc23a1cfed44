// RequestRecorder: the --record log. Every request becomes one line of JSON with "method",
// "path", "query" (the text after "?") and "body" (the body as text; bytes that are not UTF-8
// shown as U+FFFD). Query and body are masked the way the client's log masks them: passwords,
// card numbers and security codes become "********". The file is readable by its owner only
// (0600). Lines are appended one at a time. Thread-safe.
#pragma once

#include <filesystem>
#include <mutex>
#include <string_view>

namespace kelda::server {

class RequestRecorder {
 public:
  // Opens the file for appending (creating it 0600, and making an existing one 0600); throws
  // std::runtime_error when it cannot.
  explicit RequestRecorder(const std::filesystem::path& file);
  ~RequestRecorder();
  RequestRecorder(const RequestRecorder&) = delete;
  RequestRecorder& operator=(const RequestRecorder&) = delete;

  void record(std::string_view method, std::string_view path, std::string_view query,
              std::string_view body);

 private:
  std::mutex mutex_;
  int fd_ = -1;
};

}  // namespace kelda::server

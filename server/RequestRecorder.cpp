#include "RequestRecorder.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "Json.hpp"
#include "Text.hpp"
#include "platform/Log.hpp"

namespace kelda::server {

RequestRecorder::RequestRecorder(const std::filesystem::path& file)
    : fd_(::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600)) {
  if (fd_ < 0) throw std::runtime_error("cannot open the record file " + file.string());
  ::fchmod(fd_, 0600);
}

RequestRecorder::~RequestRecorder() {
  ::close(fd_);
}

void RequestRecorder::record(std::string_view method, std::string_view path, std::string_view query,
                             std::string_view body) {
  const std::string line = encode(ObjectBuilder()
                                      .add("method", validUtf8(method))
                                      .add("path", validUtf8(path))
                                      .add("query", validUtf8(log::redact(query)))
                                      .add("body", validUtf8(log::redact(body)))
                                      .build()) +
                           "\n";
  std::lock_guard lock(mutex_);
  std::size_t written = 0;
  while (written < line.size()) {
    const ssize_t n = ::write(fd_, line.data() + written, line.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // a full disk loses record lines, never requests
    written += static_cast<std::size_t>(n);
  }
}

}  // namespace kelda::server

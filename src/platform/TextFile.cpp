#include "platform/TextFile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace kelda::platform {
namespace {

namespace fs = std::filesystem;

// Owns one file descriptor.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now; false when the close reports a failure (a late write error).
  bool close() {
    if (fd_ < 0) return true;
    int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool readAll(int fd, std::string& out) {
  char buffer[16384];
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
    out.append(buffer, static_cast<std::size_t>(got));
  }
}

// Flushes the directory entry of a rename to disk (best effort: some file systems refuse).
void syncDirectory(const fs::path& directory) {
  Descriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) ::fsync(dir.get());
}

}  // namespace

std::optional<std::string> readTextFile(const fs::path& path) {
  // Non-blocking open, so that a pipe in the file's place cannot hang the reader.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!file.valid()) return std::nullopt;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::string text;
  if (!readAll(file.get(), text)) return std::nullopt;
  return text;
}

bool writeTextFileAtomically(const fs::path& path, std::string_view text, mode_t mode) {
  if (path.empty() || !path.has_filename()) return false;
  const fs::path directory = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::string temporary = (directory / ("." + path.filename().string() + ".XXXXXX")).string();
  Descriptor file(::mkstemp(temporary.data()));
  if (!file.valid()) return false;
  bool written =
      ::fchmod(file.get(), mode) == 0 && writeAll(file.get(), text) && ::fsync(file.get()) == 0;
  written = file.close() && written;
  if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  syncDirectory(directory);
  return true;
}

bool writeTextFile(const fs::path& path, std::string_view text, mode_t mode) {
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode));
  if (!file.valid()) return false;
  bool written = writeAll(file.get(), text);
  return file.close() && written;
}

bool removeFile(const fs::path& path) {
  return ::unlink(path.c_str()) == 0;
}

bool fileExists(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace kelda::platform

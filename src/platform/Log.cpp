#include "platform/Log.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "json/JsonLog.hpp"

namespace kelda::log {

struct Capture::State {
  Level lowest;
  mutable std::mutex mutex;
  std::vector<std::string> lines;
};

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Process-wide configuration and destinations, guarded by `mutex`.
struct Sink {
  std::mutex mutex;
  Level lowest = Level::Info;
  std::unique_ptr<std::FILE, FileCloser> file;
  std::vector<std::shared_ptr<Capture::State>> captures;
};

Sink& sink() {
  static Sink instance;
  return instance;
}

std::string lowercase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

Level levelFromName(std::string_view name, Level fallback) {
  const std::string value = lowercase(name);
  if (value == "debug") return Level::Debug;
  if (value == "info") return Level::Info;
  if (value == "warning" || value == "warn") return Level::Warning;
  if (value == "error") return Level::Error;
  return fallback;
}

// The log file is appended to and readable by its owner only (it may hold request traces).
std::unique_ptr<std::FILE, FileCloser> openLogFile(const std::string& path) {
  if (path.empty()) return nullptr;
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "a");
  if (file == nullptr) ::close(fd);
  return std::unique_ptr<std::FILE, FileCloser>(file);
}

// Caller holds the sink's lock.
bool sinkWants(const Sink& s, Level level) {
  return level >= s.lowest && (s.file != nullptr || level >= Level::Warning);
}

bool captureWants(const Sink& s, Level level) {
  return std::any_of(s.captures.begin(), s.captures.end(),
                     [level](const auto& capture) { return level >= capture->lowest; });
}

// The codec's lines reach this log from the start, whoever uses the codec first.
[[maybe_unused]] const bool kJsonLoggingInstalled = (installJsonLogging(), true);

}  // namespace

void installJsonLogging() {
  json::setLogHandler([](std::string_view operation, std::string_view message) {
    write(Level::Info, operation, message);
  });
}

void write(Level level, std::string_view operation, std::string_view message) {
  Sink& s = sink();
  {
    std::lock_guard lock(s.mutex);
    if (!sinkWants(s, level) && !captureWants(s, level)) return;
  }
  std::string line(operation);
  line += ':';
  line += message;
  line = redact(line);

  std::lock_guard lock(s.mutex);
  if (sinkWants(s, level)) {
    std::FILE* out = s.file ? s.file.get() : stderr;
    std::fwrite(line.data(), 1, line.size(), out);
    std::fputc('\n', out);
    std::fflush(out);
  }
  for (const auto& capture : s.captures) {
    if (level < capture->lowest) continue;
    std::lock_guard captureLock(capture->mutex);
    capture->lines.push_back(line);
  }
}

bool enabled(Level level) {
  Sink& s = sink();
  std::lock_guard lock(s.mutex);
  return sinkWants(s, level) || captureWants(s, level);
}

Level level() {
  Sink& s = sink();
  std::lock_guard lock(s.mutex);
  return s.lowest;
}

void setLevel(Level level) {
  Sink& s = sink();
  std::lock_guard lock(s.mutex);
  s.lowest = level;
}

void configure(std::string_view levelName, const std::string& filePath) {
  auto file = openLogFile(filePath);
  Sink& s = sink();
  std::lock_guard lock(s.mutex);
  s.lowest = levelFromName(levelName, Level::Info);
  s.file = std::move(file);
}

Capture::Capture(Level lowest) : state_(std::make_shared<State>()) {
  state_->lowest = lowest;
  Sink& s = sink();
  std::lock_guard lock(s.mutex);
  s.captures.push_back(state_);
}

Capture::~Capture() {
  Sink& s = sink();
  std::lock_guard lock(s.mutex);
  std::erase(s.captures, state_);
}

std::vector<std::string> Capture::lines() const {
  std::lock_guard lock(state_->mutex);
  return state_->lines;
}

void Capture::clear() {
  std::lock_guard lock(state_->mutex);
  state_->lines.clear();
}

}  // namespace kelda::log

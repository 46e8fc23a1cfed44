// Log: the client's diagnostic log. Every line has the shape "operation:message".
//
// The log is process-wide and may be written from any thread. Debug lines are off by default;
// KELDA_LOG_LEVEL=debug|info|warning|error sets the lowest level written (default info).
// KELDA_LOG_FILE=path appends every enabled line to that file; without it, warning and error
// lines go to stderr and the rest is dropped. Every message passes through redact() first, so no
// password, card number or security code ever reaches the log.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelda::log {

enum class Level { Debug = 0, Info = 1, Warning = 2, Error = 3 };

// Write "operation:message" (redacted) when `level` is enabled.
void write(Level level, std::string_view operation, std::string_view message);
inline void debug(std::string_view operation, std::string_view message) {
  write(Level::Debug, operation, message);
}
inline void info(std::string_view operation, std::string_view message) {
  write(Level::Info, operation, message);
}
inline void warning(std::string_view operation, std::string_view message) {
  write(Level::Warning, operation, message);
}
inline void error(std::string_view operation, std::string_view message) {
  write(Level::Error, operation, message);
}

// True when a line of `level` would be written anywhere (lets callers skip building messages).
bool enabled(Level level);

// The lowest level written; setLevel overrides the environment until the next configure.
Level level();
void setLevel(Level level);
// Re-read KELDA_LOG_LEVEL and KELDA_LOG_FILE (read once on first use otherwise).
void configureFromEnvironment();

// Sends the JSON codec's failure lines to this log at info level. Done once at start-up; calling
// it again restores the connection after a test replaced the codec's handler.
void installJsonLogging();

// `text` with secrets masked: the values of form fields, JSON members and "key = value;" pairs
// named loginPassword, password, verifyPassword, cardNumber, securityCode, emailPassword (or any
// name ending in "password", any letter case) become "********", and so does every run of 12 to
// 19 digits that is not part of a decimal fraction (card-like numbers).
std::string redact(std::string_view text);

// Records every line written while it lives, at `lowest` and above, whatever the configured
// level (tests read the exact lines). Captures may nest; each sees every line.
class Capture {
 public:
  explicit Capture(Level lowest = Level::Debug);
  ~Capture();
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;

  // The lines recorded so far, without level or line end.
  std::vector<std::string> lines() const;
  void clear();

  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace kelda::log

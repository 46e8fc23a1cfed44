// Log: the client's diagnostic log. Every line has the shape "operation:message".
//
// The log is process-wide and may be written from any thread. Debug lines are off by default;
// configure() (called by the front ends with the options' KELDA_LOG_LEVEL and KELDA_LOG_FILE)
// sets the lowest level written (default info) and a file that every enabled line is appended
// to; without a file, warning and error lines go to stderr and the rest is dropped. Every message
// passes through redact() first, so no password, card number or security code ever reaches the log.
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

// The lowest level written; setLevel overrides it until the next configure.
Level level();
void setLevel(Level level);
// Sets the lowest level by name ("debug", "info", "warning" or "warn", "error", any letter
// case; anything else means info) and the file to append to (empty: none; created 0600).
void configure(std::string_view levelName, const std::string& filePath);

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

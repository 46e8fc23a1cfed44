// LineReader: where kelda-cli's commands come from: a script file, standard input, or a
// person at a terminal (line editing and history through readline). Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace kelda::cli {

class LineReader {
 public:
  virtual ~LineReader() = default;
  // The next line without its line break; nothing at the end of the input.
  virtual std::optional<std::string> next() = 0;

  // Lines of a file, or of standard input for "-". Null (with `error` set) when the file
  // cannot be read.
  static std::unique_ptr<LineReader> script(const std::string& path, std::string& error);
  // A person's lines: readline with history when standard input is a terminal (calling
  // `whileWaiting` about ten times a second while the person types), else plain lines of
  // standard input.
  static std::unique_ptr<LineReader> interactive(std::function<void()> whileWaiting = {});
};

}  // namespace kelda::cli

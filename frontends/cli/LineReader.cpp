#include "LineReader.hpp"

#include <unistd.h>

#include <readline/history.h>
#include <readline/readline.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace kelda::cli {

namespace {

class StreamReader : public LineReader {
 public:
  explicit StreamReader(std::istream& in) : in_(in) {}
  std::optional<std::string> next() override {
    std::string line;
    if (!std::getline(in_, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

 private:
  std::istream& in_;
};

class FileReader : public LineReader {
 public:
  explicit FileReader(std::ifstream file) : file_(std::move(file)), reader_(file_) {}
  std::optional<std::string> next() override { return reader_.next(); }

 private:
  std::ifstream file_;
  StreamReader reader_;
};

// Readline calls its event hook about ten times a second while it waits for typing.
std::function<void()>& whileWaitingHook() {
  static std::function<void()> hook;
  return hook;
}

int runWhileWaitingHook() {
  if (whileWaitingHook()) whileWaitingHook()();
  return 0;
}

class TerminalReader : public LineReader {
 public:
  explicit TerminalReader(std::function<void()> whileWaiting) {
    whileWaitingHook() = std::move(whileWaiting);
    rl_event_hook = runWhileWaitingHook;
  }
  ~TerminalReader() override {
    rl_event_hook = nullptr;
    whileWaitingHook() = nullptr;
  }
  TerminalReader(const TerminalReader&) = delete;
  TerminalReader& operator=(const TerminalReader&) = delete;

  std::optional<std::string> next() override {
    std::unique_ptr<char, decltype(&std::free)> line(readline("kelda> "), &std::free);
    if (!line) return std::nullopt;
    std::string text(line.get());
    if (!text.empty()) add_history(text.c_str());
    return text;
  }
};

}  // namespace

std::unique_ptr<LineReader> LineReader::script(const std::string& path, std::string& error) {
  if (path == "-") return std::make_unique<StreamReader>(std::cin);
  std::error_code ignored;
  std::ifstream file;
  if (!std::filesystem::is_directory(path, ignored)) file.open(path);
  if (!file.is_open()) {
    error = "Cannot read the script " + path;
    return nullptr;
  }
  return std::make_unique<FileReader>(std::move(file));
}

std::unique_ptr<LineReader> LineReader::interactive(std::function<void()> whileWaiting) {
  if (isatty(STDIN_FILENO)) return std::make_unique<TerminalReader>(std::move(whileWaiting));
  return std::make_unique<StreamReader>(std::cin);
}

}  // namespace kelda::cli

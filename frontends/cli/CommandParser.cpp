#include "CommandParser.hpp"

#include <cctype>

namespace kelda::cli {

std::string Command::joined(std::size_t from) const {
  std::string text;
  for (std::size_t i = from; i < words.size(); ++i) {
    if (i > from) text += ' ';
    text += words[i];
  }
  return text;
}

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads a quoted word starting after its opening quote; false when the quote is not closed.
bool readQuoted(std::string_view line, std::size_t& i, std::string& word) {
  while (i < line.size()) {
    char c = line[i++];
    if (c == '"') return true;
    if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) c = line[i++];
    word += c;
  }
  return false;
}

}  // namespace

ParsedLine parseCommandLine(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i >= line.size()) break;
    std::string word;
    while (i < line.size() && !isBlank(line[i])) {
      if (line[i] == '"') {
        ++i;
        if (!readQuoted(line, i, word)) return ParsedLine{std::nullopt, "Unbalanced quote"};
      } else {
        word += line[i++];
      }
    }
    words.push_back(std::move(word));
  }
  if (words.empty() || words.front().starts_with('#')) return {};
  Command command;
  for (char c : words.front()) {
    command.name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  command.words.assign(words.begin() + 1, words.end());
  return ParsedLine{std::move(command), {}};
}

}  // namespace kelda::cli

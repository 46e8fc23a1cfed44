// CommandParser: splits one line of kelda-cli input into its command word and arguments.
// Words are separated by blanks; a double-quoted word may hold blanks (and \" or \\ escapes).
// Blank lines and lines starting with "#" are no command.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelda::cli {

struct Command {
  std::string name;                // the command word, in lower case
  std::vector<std::string> words;  // the arguments, quotes removed
  // All arguments joined by one blank ("my bag" from `tab my bag`), from the index on.
  std::string joined(std::size_t from = 0) const;
};

struct ParsedLine {
  std::optional<Command> command;  // none for a blank line, a comment or an error
  std::string error;               // why the line could not be read
};

ParsedLine parseCommandLine(std::string_view line);

}  // namespace kelda::cli

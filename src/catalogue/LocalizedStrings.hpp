// LocalizedStrings: the application's default string table (Localizable.strings in the
// resources directory), which holds the department titles and their category ids.
//
// One per Context (`LocalizedStrings::shared()`), loaded on first use and never changed after,
// so it may be read from any thread. A missing or unreadable file gives an empty table.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace kelda::catalogue {

class LocalizedStrings {
 public:
  // Loads Localizable.strings from the resources directory (KELDA_RESOURCES, else the build
  // setting).
  LocalizedStrings();
  explicit LocalizedStrings(const std::filesystem::path& file);

  static LocalizedStrings& shared();

  // The table's value for `key`, or `fallback` when the key is not in the table.
  std::string localizedString(std::string_view key, std::string_view fallback = "") const;
  std::size_t size() const { return entries_.size(); }

  // Reads the text of a strings file: `"key" = "value";` entries, C and C++ comments, the
  // escapes \" \\ \n \t. Stops quietly at the first malformed entry, keeping what came before.
  static std::map<std::string, std::string, std::less<>> parse(std::string_view text);

 private:
  std::map<std::string, std::string, std::less<>> entries_;
};

}  // namespace kelda::catalogue

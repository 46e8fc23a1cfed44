#include "catalogue/LocalizedStrings.hpp"

#include <fstream>
#include <optional>
#include <sstream>

#include "platform/Context.hpp"
#include "platform/Paths.hpp"

namespace kelda::catalogue {
namespace {

// A small cursor over the file's text.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  // Skips blanks and comments; false at the end of the text.
  bool skipToToken() {
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
        ++pos_;
      } else if (text_.substr(pos_, 2) == "/*") {
        auto end = text_.find("*/", pos_ + 2);
        pos_ = end == std::string_view::npos ? text_.size() : end + 2;
      } else if (text_.substr(pos_, 2) == "//") {
        auto end = text_.find('\n', pos_);
        pos_ = end == std::string_view::npos ? text_.size() : end + 1;
      } else {
        return true;
      }
    }
    return false;
  }

  bool expect(char c) {
    if (!skipToToken() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }

  std::optional<std::string> quoted() {
    if (!expect('"')) return std::nullopt;
    std::string out;
    while (pos_ < text_.size()) {
      char c = text_[pos_++];
      if (c == '"') return out;
      if (c == '\\' && pos_ < text_.size()) {
        char e = text_[pos_++];
        out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
      } else {
        out += c;
      }
    }
    return std::nullopt;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

LocalizedStrings::LocalizedStrings()
    : LocalizedStrings(platform::resourcePath("Localizable.strings")) {}

LocalizedStrings::LocalizedStrings(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return;
  std::ostringstream text;
  text << in.rdbuf();
  entries_ = parse(text.str());
}

LocalizedStrings& LocalizedStrings::shared() {
  return platform::shared<LocalizedStrings>();
}

std::string LocalizedStrings::localizedString(std::string_view key,
                                              std::string_view fallback) const {
  auto it = entries_.find(key);
  return it != entries_.end() ? it->second : std::string(fallback);
}

std::map<std::string, std::string, std::less<>> LocalizedStrings::parse(std::string_view text) {
  std::map<std::string, std::string, std::less<>> entries;
  Reader reader(text);
  while (reader.skipToToken()) {
    auto key = reader.quoted();
    if (!key || !reader.expect('=')) break;
    auto value = reader.quoted();
    if (!value || !reader.expect(';')) break;
    entries[*key] = *value;
  }
  return entries;
}

}  // namespace kelda::catalogue

#include "gateway/StoredLogin.hpp"

#include <vector>

#include "platform/Paths.hpp"
#include "platform/TextFile.hpp"

namespace kelda::gateway {
namespace {

// The file is text: bytes that do not form UTF-8 make it no stored log-in.
bool isValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3;
    } else if (lead >= 0x80) {
      return false;
    }
    if (text.size() - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

}  // namespace

std::filesystem::path storedLoginPath() {
  const std::filesystem::path documents = platform::documentsDirectory();
  if (documents.empty()) return {};
  return documents / kLoginFileName;
}

json::Value parseStoredLogin(std::string_view text) {
  if (text.empty() || !isValidUtf8(text)) return json::Value::object();
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t semicolon = text.find(';', start);
    parts.push_back(text.substr(start, semicolon - start));
    if (semicolon == std::string_view::npos) break;
    start = semicolon + 1;
  }
  if (parts.size() != 2 || parts[0] == " " || parts[1] == " ") return json::Value::object();
  return json::Value::object(
      {{"loginUserName", json::Value(parts[0])}, {"loginPassword", json::Value(parts[1])}});
}

json::Value readStoredLogin() {
  const std::filesystem::path path = storedLoginPath();
  if (path.empty()) return json::Value::object();
  const auto text = platform::readTextFile(path);
  return text ? parseStoredLogin(*text) : json::Value::object();
}

bool writeStoredLogin(const std::string& text) {
  const std::filesystem::path path = storedLoginPath();
  if (path.empty()) return false;
  return platform::writeTextFileAtomically(path, text, 0600);
}

void removeStoredLogin() {
  const std::filesystem::path path = storedLoginPath();
  if (!path.empty()) platform::removeFile(path);
}

}  // namespace kelda::gateway

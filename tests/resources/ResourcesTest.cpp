// Every picture the code names by file ("noImage1.png", "logo.png", ...) is shipped in
// resources/ and is a real PNG, so no screen ever shows a missing picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>

namespace {

namespace fs = std::filesystem;

// Each picture file name written in the sources, with one place that names it.
std::map<std::string, std::string> picturesNamedIn(const fs::path& root) {
  static const std::regex name(R"re("([A-Za-z0-9_@.-]+\.(?:png|jpg|gif))")re");
  std::map<std::string, std::string> found;
  for (const char* top : {"src", "frontends"}) {
    if (!fs::exists(root / top)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      const std::string extension = entry.path().extension().string();
      if (extension != ".cpp" && extension != ".hpp" && extension != ".qml") continue;
      std::ifstream in(entry.path());
      const std::string text((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
      for (std::sregex_iterator it(text.begin(), text.end(), name), end; it != end; ++it) {
        found.emplace((*it)[1], fs::relative(entry.path(), root).string());
      }
    }
  }
  return found;
}

TEST(Resources, EveryPictureTheCodeNamesIsShipped) {
  const char* source = std::getenv("KELDA_SOURCE");
  ASSERT_NE(source, nullptr) << "KELDA_SOURCE is not set (run through ctest)";
  const fs::path root(source);
  const auto named = picturesNamedIn(root);
  ASSERT_FALSE(named.empty());
  for (const auto& [picture, where] : named) {
    const fs::path file = root / "resources" / picture;
    std::ifstream in(file, std::ios::binary);
    std::string signature(8, '\0');
    in.read(signature.data(), 8);
    EXPECT_TRUE(in && signature == "\x89PNG\r\n\x1a\n")
        << picture << " (named in " << where << ") is not shipped as a PNG in resources/";
  }
}

}  // namespace

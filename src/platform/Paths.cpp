#include "platform/Paths.hpp"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "kelda/Config.hpp"

namespace kelda::platform {
namespace {

namespace fs = std::filesystem;

// The value of an environment variable, or empty when unset.
std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

fs::path homeDirectory() {
  std::string home = environment("HOME");
  if (!home.empty()) return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return {};
}

bool isDirectory(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Creates every missing directory of `path` with mode 0700 (owner only: the directory holds the
// stored log-in). True when `path` is a directory afterwards.
bool makeDirectories(const fs::path& path) {
  fs::path partial;
  for (const fs::path& part : path) {
    partial /= part;
    if (isDirectory(partial)) continue;
    if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return isDirectory(path);
}

fs::path chosenDocumentsDirectory() {
  std::string home = environment("KELDA_HOME");
  if (!home.empty()) return home;
  fs::path data = environment("XDG_DATA_HOME");
  if (!data.empty() && data.is_absolute()) return data / "kelda";
  fs::path user = homeDirectory();
  if (user.empty()) return {};
  return user / ".local" / "share" / "kelda";
}

}  // namespace

fs::path documentsDirectory() {
  fs::path directory = chosenDocumentsDirectory();
  if (directory.empty() || !makeDirectories(directory)) return {};
  return directory;
}

fs::path documentPath(std::string_view name) {
  fs::path directory = documentsDirectory();
  if (directory.empty()) return {};
  return directory / fs::path(name);
}

fs::path resourcesDirectory() {
  std::string resources = environment("KELDA_RESOURCES");
  if (!resources.empty()) return resources;
  return config::kDefaultResources;
}

fs::path resourcePath(std::string_view name) {
  return resourcesDirectory() / fs::path(name);
}

}  // namespace kelda::platform

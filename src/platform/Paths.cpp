#include "platform/Paths.hpp"

#include <sys/stat.h>

#include <cerrno>

#include "platform/Context.hpp"

namespace kelda::platform {
namespace {

namespace fs = std::filesystem;

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

}  // namespace

fs::path documentsDirectory() {
  fs::path directory = options()->home;
  if (directory.empty() || !makeDirectories(directory)) return {};
  return directory;
}

fs::path documentPath(std::string_view name) {
  fs::path directory = documentsDirectory();
  if (directory.empty()) return {};
  return directory / fs::path(name);
}

fs::path resourcesDirectory() {
  return options()->resources;
}

fs::path resourcePath(std::string_view name) {
  return resourcesDirectory() / fs::path(name);
}

}  // namespace kelda::platform

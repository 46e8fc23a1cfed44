// TempDirectory: a fresh empty directory under the system's temporary directory, removed with
// everything in it when the object goes (even after a test took its permissions away).
#pragma once

#include <filesystem>
#include <string>

namespace kelda::test {

class TempDirectory {
 public:
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace kelda::test

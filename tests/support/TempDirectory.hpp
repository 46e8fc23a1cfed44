// TempDirectory: a fresh empty directory under the system's temporary directory, removed with
// everything in it when the object goes.
#pragma once

#include <filesystem>

namespace kelda::test {

class TempDirectory {
 public:
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace kelda::test

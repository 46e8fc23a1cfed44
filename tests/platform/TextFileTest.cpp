#include "platform/TextFile.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "support/TempDirectory.hpp"

namespace kelda::platform {
namespace {

using test::TempDirectory;

unsigned modeOf(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

std::size_t entriesIn(const std::filesystem::path& dir) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++count;
  return count;
}

TEST(TextFile, ReadGivesNothingForMissingDirectoriesAndPipes) {
  TempDirectory dir;
  EXPECT_EQ(readTextFile(dir / "missing"), std::nullopt);
  EXPECT_EQ(readTextFile(dir.path()), std::nullopt);
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(readTextFile(dir / "pipe"), std::nullopt);  // and does not block
  ASSERT_TRUE(writeTextFile(dir / "empty", ""));
  EXPECT_EQ(readTextFile(dir / "empty"), "");
}

TEST(TextFile, AtomicWriteReplacesWholeFileWithTheGivenMode) {
  TempDirectory dir;
  const auto login = dir / "login.plist";
  ASSERT_TRUE(writeTextFileAtomically(login, "ann@example.com;pw1", 0600));
  EXPECT_EQ(readTextFile(login), "ann@example.com;pw1");
  EXPECT_EQ(modeOf(login), 0600u);
  ASSERT_TRUE(writeTextFileAtomically(login, std::string(100000, 'x'), 0600));
  ASSERT_TRUE(writeTextFileAtomically(login, "bob@example.com;pw2", 0600));
  EXPECT_EQ(readTextFile(login), "bob@example.com;pw2");
  ASSERT_TRUE(writeTextFileAtomically(dir / "launch.plist", "launched"));
  EXPECT_EQ(modeOf(dir / "launch.plist"), 0644u);
  EXPECT_EQ(entriesIn(dir.path()), 2u);  // no temporary file is left behind
}

TEST(TextFile, FailedAtomicWriteLeavesTheOldFile) {
  TempDirectory dir;
  const auto login = dir / "login.plist";
  ASSERT_TRUE(writeTextFileAtomically(login, "old;content", 0600));

  // The file system refuses the write part-way (file size limit): the old file stays whole.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = writeTextFileAtomically(login, std::string(10000, 'n'), 0600);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(readTextFile(login), "old;content");
  EXPECT_EQ(entriesIn(dir.path()), 1u);

  // A directory where the file should be, and a missing directory.
  std::filesystem::create_directory(dir / "taken");
  EXPECT_FALSE(writeTextFileAtomically(dir / "taken", "x"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken"));
  EXPECT_FALSE(writeTextFileAtomically(dir / "nowhere/login.plist", "x"));
  EXPECT_FALSE(writeTextFile(dir / "nowhere/login.plist", "x"));

  if (::geteuid() != 0) {  // a read-only directory (permissions do not stop the superuser)
    ::chmod(dir.path().c_str(), 0500);
    EXPECT_FALSE(writeTextFileAtomically(login, "new", 0600));
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(readTextFile(login), "old;content");
  }
  EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(TextFile, RemoveTakesFilesOnly) {
  TempDirectory dir;
  ASSERT_TRUE(writeTextFile(dir / "login.plist", "a;b"));
  EXPECT_TRUE(removeFile(dir / "login.plist"));
  EXPECT_FALSE(fileExists(dir / "login.plist"));
  EXPECT_FALSE(removeFile(dir / "login.plist"));
  EXPECT_FALSE(removeFile(dir.path()));
  EXPECT_TRUE(fileExists(dir.path()));
}

}  // namespace
}  // namespace kelda::platform

#include "platform/Paths.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "kelda/Config.hpp"
#include "platform/TempDir.hpp"
#include "platform/TextFile.hpp"

namespace kelda::platform {
namespace {

using testing::ScopedVariable;
using testing::TempDir;

unsigned modeOf(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

TEST(Paths, DocumentsDirectoryFollowsTheEnvironmentAndIsCreatedPrivate) {
  TempDir dir;
  {
    ScopedVariable home("KELDA_HOME", (dir / "a/b/docs").string());
    EXPECT_EQ(documentsDirectory(), dir / "a/b/docs");
    EXPECT_EQ(modeOf(dir / "a/b/docs"), 0700u);
    EXPECT_EQ(modeOf(dir / "a"), 0700u);
    EXPECT_EQ(documentPath("login.plist"), dir / "a/b/docs/login.plist");
  }
  ScopedVariable noHome("KELDA_HOME", std::nullopt);
  {
    ScopedVariable data("XDG_DATA_HOME", (dir / "data").string());
    EXPECT_EQ(documentsDirectory(), dir / "data/kelda");
  }
  {
    // A relative XDG_DATA_HOME is ignored.
    ScopedVariable data("XDG_DATA_HOME", "relative/data");
    ScopedVariable user("HOME", (dir / "user").string());
    EXPECT_EQ(documentsDirectory(), dir / "user/.local/share/kelda");
    EXPECT_FALSE(std::filesystem::exists("relative"));
  }
}

TEST(Paths, DocumentsDirectoryIsEmptyWhenItCannotBeMade) {
  TempDir dir;
  ASSERT_TRUE(writeTextFile(dir / "file", "x"));
  {
    ScopedVariable home("KELDA_HOME", (dir / "file").string());
    EXPECT_TRUE(documentsDirectory().empty());
    EXPECT_TRUE(documentPath("launch.plist").empty());
  }
  {
    ScopedVariable home("KELDA_HOME", (dir / "file/below").string());
    EXPECT_TRUE(documentsDirectory().empty());
  }
}

TEST(Paths, ResourcesComeFromTheEnvironmentElseTheBuildSetting) {
  {
    ScopedVariable resources("KELDA_RESOURCES", "/opt/kelda/resources");
    EXPECT_EQ(resourcesDirectory(), "/opt/kelda/resources");
    EXPECT_EQ(resourcePath("US-States.plist"), "/opt/kelda/resources/US-States.plist");
  }
  ScopedVariable resources("KELDA_RESOURCES", std::nullopt);
  EXPECT_EQ(resourcesDirectory(), config::kDefaultResources);
}

}  // namespace
}  // namespace kelda::platform

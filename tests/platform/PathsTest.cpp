// Options read once from the environment (through an Environment lookup, never setenv), and the
// directories the client derives from them.
#include "platform/Paths.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "kelda/Config.hpp"
#include "platform/Context.hpp"
#include "platform/Options.hpp"
#include "platform/TextFile.hpp"
#include "support/TempDirectory.hpp"

namespace kelda::platform {
namespace {

using test::TempDirectory;

unsigned modeOf(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

Environment fakeEnvironment(std::map<std::string, std::string> values) {
  return [values = std::move(values)](const char* name) -> std::optional<std::string> {
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  };
}

TEST(Options, TheEnvironmentOverridesTheBuildSettings) {
  const Options built = Options::fromEnvironment(fakeEnvironment({{"HOME", "/home/ann"}}));
  EXPECT_EQ(built.middleware, config::kMiddleware);
  EXPECT_EQ(built.ctrAddress, config::kCtrAddress);
  EXPECT_EQ(built.resources, config::kDefaultResources);
  EXPECT_EQ(built.home, "/home/ann/.local/share/kelda");
  EXPECT_FALSE(built.reachability);
  EXPECT_FALSE(built.position);

  const Options set =
      Options::fromEnvironment(fakeEnvironment({{"KELDA_MIDDLEWARE", "localhost:9000"},
                                                {"KELDA_CTR_ADDRESS", "10.0.0.2"},
                                                {"KELDA_WEB_HOST", "web"},
                                                {"KELDA_MAPS_HOST", "maps"},
                                                {"KELDA_MAPS_KEY", "k"},
                                                {"KELDA_HOME", "/docs"},
                                                {"KELDA_RESOURCES", "/res"},
                                                {"KELDA_REACHABILITY", "wwan"},
                                                {"KELDA_POSITION", "30.2,-97.7"},
                                                {"KELDA_LOG_LEVEL", "debug"},
                                                {"KELDA_LOG_FILE", "/l"}}));
  EXPECT_EQ(set.middleware, "localhost:9000");
  EXPECT_EQ(set.ctrAddress, "10.0.0.2");
  EXPECT_EQ(set.webHost, "web");
  EXPECT_EQ(set.mapsHost, "maps");
  EXPECT_EQ(set.mapsKey, "k");
  EXPECT_EQ(set.home, "/docs");
  EXPECT_EQ(set.resources, "/res");
  EXPECT_EQ(set.reachability, ForcedReachability::Wwan);
  EXPECT_EQ(set.position, "30.2,-97.7");
  EXPECT_EQ(set.logLevel, "debug");
  EXPECT_EQ(set.logFile, "/l");

  // XDG_DATA_HOME counts only when absolute; an unknown forced status forces nothing.
  EXPECT_EQ(Options::fromEnvironment(fakeEnvironment({{"XDG_DATA_HOME", "/data"}})).home,
            "/data/kelda");
  const Options relative = Options::fromEnvironment(fakeEnvironment(
      {{"XDG_DATA_HOME", "relative"}, {"HOME", "/u"}, {"KELDA_REACHABILITY", "satellite"}}));
  EXPECT_EQ(relative.home, "/u/.local/share/kelda");
  EXPECT_FALSE(relative.reachability);
}

TEST(Paths, DocumentsDirectoryIsCreatedPrivateOrIsEmptyWhenItCannotBe) {
  TempDirectory dir;
  ASSERT_TRUE(writeTextFile(dir / "file", "x"));
  struct Case {
    std::filesystem::path home;
    bool usable;
  };
  for (const Case& c : {Case{dir / "a/b/docs", true}, Case{dir / "file", false},
                        Case{dir / "file/below", false}, Case{"", false}}) {
    Options options = Options::defaults();
    options.home = c.home;
    Context context(options);
    ScopedContext scope(context);
    if (!c.usable) {
      EXPECT_TRUE(documentsDirectory().empty()) << c.home;
      EXPECT_TRUE(documentPath("launch.plist").empty()) << c.home;
      continue;
    }
    EXPECT_EQ(documentsDirectory(), c.home);
    EXPECT_EQ(modeOf(dir / "a/b/docs"), 0700u);
    EXPECT_EQ(modeOf(dir / "a"), 0700u);
    EXPECT_EQ(documentPath("login.plist"), dir / "a/b/docs/login.plist");
    EXPECT_EQ(resourcePath("US-States.plist"),
              std::filesystem::path(config::kDefaultResources) / "US-States.plist");
  }
}

}  // namespace
}  // namespace kelda::platform

// The harness's middleware process: it comes up on two free loopback ports and ends cleanly on
// SIGTERM (a crash or a sanitizer report at shutdown shows as another exit).
#include <gtest/gtest.h>

#include <regex>

#include "support/Programs.hpp"
#include "support/TempDirectory.hpp"

namespace kelda::test {
namespace {

TEST(MiddlewareProcess, ListensOnTwoLoopbackPortsAndStopsCleanly) {
  if (const std::string missing = missingPrograms(); !missing.empty()) GTEST_SKIP() << missing;
  test::TempDirectory dir;
  Middleware server(dir.path(), MiddlewareOptions{50, 7});
  const std::regex loopback("127\\.0\\.0\\.1:[1-9][0-9]*");
  EXPECT_TRUE(std::regex_match(server.address(), loopback)) << server.address();
  EXPECT_TRUE(std::regex_match(server.ctrAddress(), loopback)) << server.ctrAddress();
  EXPECT_NE(server.address(), server.ctrAddress());

  const ChildOutcome stopped = server.stop();
  EXPECT_EQ(stopped.exitStatus, 0) << server.log();
  EXPECT_FALSE(stopped.timedOut) << server.log();
  EXPECT_EQ(server.log().find("ERROR: "), std::string::npos) << server.log();
  EXPECT_EQ(server.stop().exitStatus, -1);  // stopping again does nothing
}

}  // namespace
}  // namespace kelda::test

// The built kelda-middleware: command line, printed addresses, reuse of its data, clean stop on
// SIGTERM and SIGINT.
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>

#include <memory>
#include <regex>

#include "Json.hpp"
#include "ServerFixture.hpp"
#include "support/ChildProcess.hpp"
#include "support/Programs.hpp"

namespace kelda::server::testing {
namespace {

// kelda-middleware with these arguments, as a child bounded in time.
std::unique_ptr<test::ChildProcess> start(std::vector<std::string> arguments) {
  test::ChildSpec spec;
  spec.argv = {(test::binDirectory() / "kelda-middleware").string()};
  spec.argv.insert(spec.argv.end(), arguments.begin(), arguments.end());
  return std::make_unique<test::ChildProcess>(spec);
}

std::string lineOf(test::ChildProcess& child) {
  return child.readLine(test::Clock::now() + std::chrono::seconds(60)).value_or("");
}

int portIn(const std::string& line) {
  std::smatch m;
  return std::regex_search(line, m, std::regex(R"(http://127\.0\.0\.1:(\d+))")) ? std::stoi(m[1])
                                                                                : -1;
}

TEST(Executable, PrintsBothAddressesServesAndStopsCleanly) {
  TempDir dir;
  for (int signal : {SIGTERM, SIGINT}) {
    auto child = start({"--port", "0", "--ctr-port", "0", "--products", "40", "--data",
                        (dir.path() / "d").string()});
    const int port = portIn(lineOf(*child));
    const int ctr = portIn(lineOf(*child));
    ASSERT_GT(port, 0);
    ASSERT_GT(ctr, 0);
    httplib::Client client("127.0.0.1", port);
    auto result = client.Post("/category", "&categoryId=1", "application/x-www-form-urlencoded");
    ASSERT_TRUE(result);
    EXPECT_EQ(decode(result->body)["category"].size(), 15u);
    httplib::Client second("127.0.0.1", ctr);
    auto list = second.Get("/category_ctr");
    ASSERT_TRUE(list);
    EXPECT_EQ(decode(list->body)["data"].size(), 10u);
    ::kill(child->pid(), signal);
    const test::ChildOutcome ended = child->finish(test::Clock::now() + std::chrono::seconds(30));
    EXPECT_EQ(ended.exitStatus, 0) << ended.err;
  }
}

TEST(Executable, RefusesBadOptions) {
  for (const char* bad : {"--faults=results=explode", "--products=0", "--log-level=loud"}) {
    TempDir dir;
    auto child = start({bad, "--data", dir.path().string()});
    const test::ChildOutcome ended = child->finish(test::Clock::now() + std::chrono::seconds(30));
    EXPECT_EQ(ended.out, "") << bad;  // nothing listens
    EXPECT_NE(ended.exitStatus, 0) << bad;
    EXPECT_FALSE(ended.timedOut) << bad;
  }
}

}  // namespace
}  // namespace kelda::server::testing

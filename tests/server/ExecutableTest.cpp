// The built kelda-middleware: command line, printed addresses, reuse of its data, clean stop on
// SIGTERM and SIGINT.
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <regex>

#include "Json.hpp"
#include "ServerFixture.hpp"

namespace kelda::server::testing {
namespace {

// A child process running kelda-middleware, with its standard output read line by line.
class Child {
 public:
  explicit Child(std::vector<std::string> args) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      std::vector<char*> argv;
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    out_ = fdopen(out[0], "r");
  }
  ~Child() {
    if (pid_ > 0 && !waited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (out_) fclose(out_);
  }
  std::string line() {
    char buffer[512];
    return out_ && fgets(buffer, sizeof buffer, out_) ? std::string(buffer) : std::string();
  }
  // Sends the signal and returns the exit status.
  int stop(int signal) {
    kill(pid_, signal);
    int status = 0;
    waitpid(pid_, &status, 0);
    waited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  FILE* out_ = nullptr;
  bool waited_ = false;
};

std::string binary() {
  const char* bin = std::getenv("KELDA_BIN");
  return std::string(bin ? bin : ".") + "/kelda-middleware";
}

int portIn(const std::string& line) {
  std::smatch m;
  return std::regex_search(line, m, std::regex(R"(http://127\.0\.0\.1:(\d+))")) ? std::stoi(m[1])
                                                                                : -1;
}

TEST(Executable, PrintsBothAddressesServesAndStopsCleanly) {
  TempDir dir;
  for (int signal : {SIGTERM, SIGINT}) {
    Child child({binary(), "--port", "0", "--ctr-port", "0", "--products", "40", "--data",
                 (dir.path() / "d").string()});
    const int port = portIn(child.line());
    const int ctr = portIn(child.line());
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
    EXPECT_EQ(child.stop(signal), 0);
  }
}

TEST(Executable, RefusesBadOptions) {
  for (const char* bad : {"--faults=results=explode", "--products=0", "--log-level=loud"}) {
    TempDir dir;
    Child child({binary(), bad, "--data", dir.path().string()});
    EXPECT_EQ(child.line(), "") << bad;  // nothing listens
    EXPECT_NE(child.stop(0), 0) << bad;
  }
}

}  // namespace
}  // namespace kelda::server::testing

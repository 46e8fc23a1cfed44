// The catalogue as a shopper uses it: kelda-cli scripts against a kelda-middleware started on a
// free loopback port over its seeded catalogue.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TempDirectory.hpp"

namespace kelda::catalogue {
namespace {

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A kelda-middleware child process; stopped (by its own pid) when the object goes.
class Middleware {
 public:
  Middleware(const std::filesystem::path& program, const std::filesystem::path& data) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      execl(program.c_str(), program.c_str(), "--port", "0", "--ctr-port", "0", "--data",
            data.c_str(), "--host", "127.0.0.1", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    readAddress(out[0]);
    close(out[0]);
  }
  ~Middleware() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  Middleware(const Middleware&) = delete;
  Middleware& operator=(const Middleware&) = delete;

  // "127.0.0.1:<port>", empty when the server did not come up.
  const std::string& address() const { return address_; }

 private:
  // The first line the server prints: "listening on http://<host>:<port>".
  void readAddress(int fd) {
    std::string line;
    char c = 0;
    while (read(fd, &c, 1) == 1 && c != '\n') line += c;
    const std::string prefix = "listening on http://";
    if (line.rfind(prefix, 0) == 0) address_ = line.substr(prefix.size());
  }

  pid_t pid_ = -1;
  std::string address_;
};

class CatalogueEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* bin = std::getenv("KELDA_BIN");
    if (bin == nullptr) GTEST_SKIP() << "KELDA_BIN is not set (run through ctest)";
    cli_ = std::filesystem::path(bin) / "kelda-cli";
    const auto server = std::filesystem::path(bin) / "kelda-middleware";
    if (!std::filesystem::exists(cli_) || !std::filesystem::exists(server)) {
      GTEST_SKIP() << "kelda-cli or kelda-middleware is not built";
    }
    middleware_ = std::make_unique<Middleware>(server, dir_.path() / "data");
    ASSERT_FALSE(middleware_->address().empty()) << "kelda-middleware did not start";
  }

  // Runs a script as a first launch; answers what the client printed (failing on a command
  // that could not be carried out).
  std::string run(const std::string& script) {
    const auto scriptFile = dir_.path() / "script.txt";
    const auto home = dir_.path() / ("home" + std::to_string(++runs_));
    std::filesystem::create_directories(home);
    std::ofstream(scriptFile) << script;
    const auto out = dir_.path() / "out";
    const auto err = dir_.path() / "err";
    const std::string command = "KELDA_REACHABILITY= '" + cli_.string() + "' --server " +
                                middleware_->address() + " --home '" + home.string() +
                                "' --script '" + scriptFile.string() + "' > '" + out.string() +
                                "' 2> '" + err.string() + "'";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << readFile(err) << readFile(out);
    return readFile(out);
  }

  test::TempDirectory dir_;
  std::filesystem::path cli_;
  std::unique_ptr<Middleware> middleware_;
  int runs_ = 0;
};

// The text printed after a command, up to the next command.
std::string after(const std::string& out, const std::string& command) {
  const auto at = out.find("> " + command + "\n");
  if (at == std::string::npos) return "";
  const auto next = out.find("\n> ", at + 1);
  return out.substr(at, next == std::string::npos ? std::string::npos : next - at);
}

TEST_F(CatalogueEndToEnd, BrowseWomenToAResultListAndLoadMore) {
  const std::string out =
      run("alert Later\n"
          "tap Women\n"
          "tap Go\n"
          "tap button.loadMore\n"
          "quit\n");
  const std::string picker = after(out, "tap Women");
  EXPECT_NE(picker.find("== Women =="), std::string::npos) << out;
  EXPECT_NE(picker.find("button.go [Go]"), std::string::npos) << picker;
  const std::string list = after(out, "tap Go");
  EXPECT_NE(list.find("row.19.0"), std::string::npos) << list;
  EXPECT_EQ(list.find("row.20.0"), std::string::npos) << list;
  EXPECT_NE(list.find(" Results Found\n"), std::string::npos) << list;
  EXPECT_NE(list.find("button.loadMore [load 20 More]"), std::string::npos) << list;
  const std::string more = after(out, "tap button.loadMore");
  EXPECT_NE(more.find("row.20.0"), std::string::npos) << more;
}

TEST_F(CatalogueEndToEnd, SearchFromTheSearchTabWithAndWithoutResults) {
  const std::string out =
      run("alert Later\n"
          "tab search\n"
          "search dress\n"
          "back\n"
          "search qqqxqqq\n"
          "quit\n");
  const std::string list = after(out, "search dress");
  EXPECT_NE(list.find("== Search for dre... =="), std::string::npos) << out;
  EXPECT_NE(list.find("row.0.0"), std::string::npos) << list;
  const std::string none = after(out, "search qqqxqqq");
  EXPECT_NE(none.find("== Search =="), std::string::npos) << none;
  EXPECT_NE(none.find("Banner: We couldn\u2019t find any items that match your search term. "
                      "Please enter a different search term and try again."),
            std::string::npos)
      << none;
}

}  // namespace
}  // namespace kelda::catalogue

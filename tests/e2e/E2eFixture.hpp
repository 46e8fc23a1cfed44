// E2eFixture: the base of scenario tests that run kelda-cli against one kelda-middleware shared
// by the test suite (started before its first test, stopped after its last).
//
// Every test gets a fresh temporary directory for its documents directories and scripts; tests
// are skipped when the programs are not built.
#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <memory>
#include <string>

#include "support/Programs.hpp"
#include "support/TempDirectory.hpp"

namespace kelda::test {

class E2eFixture : public ::testing::Test {
 protected:
  // A suite that needs another catalogue defines its own SetUpTestSuite calling startServer.
  static void SetUpTestSuite() { startServer({}); }
  static void startServer(MiddlewareOptions options) {
    if (!missingPrograms().empty()) return;
    serverDir_ = std::make_unique<test::TempDirectory>();
    try {
      server_ = std::make_unique<Middleware>(serverDir_->path(), options);
    } catch (const std::exception& e) {
      startError_ = e.what();
    }
  }
  static void TearDownTestSuite() {
    server_.reset();
    serverDir_.reset();
  }
  void SetUp() override {
    if (const std::string missing = missingPrograms(); !missing.empty()) GTEST_SKIP() << missing;
    ASSERT_TRUE(server_) << startError_;
  }

  Middleware& server() { return *server_; }
  KeldaCli cli() const { return KeldaCli(server_->address(), server_->ctrAddress(), dir_.path()); }
  // A documents directory of this test, by name (the same name is the same directory).
  std::filesystem::path home(const std::string& name = "home") const { return dir_.path() / name; }

 private:
  static inline std::unique_ptr<test::TempDirectory> serverDir_;
  static inline std::unique_ptr<Middleware> server_;
  static inline std::string startError_;
  test::TempDirectory dir_;
};

}  // namespace kelda::test

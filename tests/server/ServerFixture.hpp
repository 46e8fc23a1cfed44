// ServerFixture: a kelda-middleware started in-process for one test suite, on a free loopback
// port, over a small catalogue seeded into a temporary directory, with helpers that post form
// bodies over real HTTP and decode the JSON answers.
#pragma once

#include <gtest/gtest.h>
#include <httplib.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "Json.hpp"
#include "MiddlewareServer.hpp"
#include "support/TempDirectory.hpp"

namespace kelda::server::testing {

using TempDir = test::TempDirectory;

struct Answer {
  int status = 0;
  std::string body;
  std::string contentType;
  json::Value json;
};

class Server {
 public:
  explicit Server(ServerOptions options = {}) {
    std::signal(SIGPIPE, SIG_IGN);
    options.dataDir = dir_.path() / "data";
    if (options.products == 5000) options.products = 300;
    if (options.ctrPort < 0) options.ctrPort = 0;
    if (options.threads == ServerOptions{}.threads) options.threads = 8;
    options_ = options;
    server_ = std::make_unique<MiddlewareServer>(options);
    server_->start();
  }
  Answer post(const std::string& path, const std::string& body) const {
    httplib::Client client("127.0.0.1", server_->port());
    client.set_read_timeout(30, 0);
    auto result = client.Post(path.c_str(), body, "application/x-www-form-urlencoded");
    return toAnswer(result);
  }
  Answer get(const std::string& target, int port = -1) const {
    httplib::Client client("127.0.0.1", port < 0 ? server_->port() : port);
    client.set_read_timeout(30, 0);
    return toAnswer(client.Get(target.c_str()));
  }
  std::string base() const { return "http://127.0.0.1:" + std::to_string(server_->port()); }
  MiddlewareServer& server() { return *server_; }
  const std::filesystem::path& dir() const { return dir_.path(); }

 private:
  static Answer toAnswer(const httplib::Result& result) {
    Answer a;
    if (!result) return a;
    a.status = result->status;
    a.body = result->body;
    a.contentType = result->get_header_value("Content-Type");
    a.json = decode(a.body);
    return a;
  }
  TempDir dir_;
  ServerOptions options_;
  std::unique_ptr<MiddlewareServer> server_;
};

// One server for all tests of a suite (seeding is the slow part).
class ServerTest : public ::testing::Test {
 public:
  static void SetUpTestSuite() { server_ = std::make_unique<Server>(); }
  static void TearDownTestSuite() { server_.reset(); }
  static Server& server() { return *server_; }
  static Answer post(const std::string& path, const std::string& body) {
    return server_->post(path, body);
  }

 private:
  static inline std::unique_ptr<Server> server_;
};

}  // namespace kelda::server::testing

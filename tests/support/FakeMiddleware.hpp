// FakeMiddleware: an in-process HTTP server on a free loopback port that stands in for the
// middleware server (and any other host) in tests.
//
// Each test programs the answer of a path (body, status, content type, a delay, or closing
// the connection without answering) and reads back every request the server received:
// method, path, query, headers and the raw body bytes. The server starts in the constructor
// and stops in the destructor; a test owns it. All members may be called from any thread.
//
//   FakeMiddleware server;
//   server.answer("/signin", R"({"status":[{"success":"AUTHENTICATED"}]})");
//   ... run the code under test against server.address() ...
//   EXPECT_EQ(server.lastRequest("/signin")->body, "loginUserName=a%40b&loginPassword=x");
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelda::test {

struct FakeAnswer {
  std::string body{};
  int status = 200;
  std::string contentType = "application/json";
  // Wait this long before answering (real time; released early when the server stops).
  std::chrono::milliseconds delay{0};
  // Never answer: hold the request until the server stops (or releaseHeld()).
  bool hold = false;
  // Close the connection without sending anything back.
  bool closeWithoutAnswer = false;
  // Extra header lines of the answer (a redirect's "Location", for instance).
  std::vector<std::pair<std::string, std::string>> headers{};
  // Send the body slowly: in `trickleChunks` pieces with this pause before each.
  std::chrono::milliseconds trickle{0};
  int trickleChunks = 10;
};

struct RecordedRequest {
  std::string method;
  std::string path;   // without the query, e.g. "/signin"
  std::string query;  // the raw text after "?", empty when none
  std::vector<std::pair<std::string, std::string>> headers;  // sorted by name
  std::string body;                                          // raw bytes
  // The client's port: equal for requests that came over the same connection.
  int remotePort = 0;

  // The first value of a header (name in any letter case), absent when not sent.
  std::optional<std::string> header(std::string_view name) const;
  bool hasHeader(std::string_view name) const { return header(name).has_value(); }
};

class FakeMiddleware {
 public:
  // Starts listening on 127.0.0.1 at a free port; fails the test (throws) when it cannot.
  FakeMiddleware();
  ~FakeMiddleware();
  FakeMiddleware(const FakeMiddleware&) = delete;
  FakeMiddleware& operator=(const FakeMiddleware&) = delete;

  int port() const;
  // "127.0.0.1:<port>", the form the client's server addresses take.
  std::string address() const;
  // "http://127.0.0.1:<port>" + path.
  std::string url(std::string_view path) const;

  // Programs the answer for a path (any method). Replaces an earlier answer of that path.
  void answer(const std::string& path, FakeAnswer answer);
  // Shorthand: status 200, JSON content type, this body.
  void answer(const std::string& path, std::string body);
  // The answer for paths without one of their own (default: status 404, empty body).
  void setDefaultAnswer(FakeAnswer answer);

  // Every request received so far, in arrival order.
  std::vector<RecordedRequest> requests() const;
  // The requests to one path, and the last of them (absent when none).
  std::vector<RecordedRequest> requestsTo(std::string_view path) const;
  std::optional<RecordedRequest> lastRequest(std::string_view path) const;
  std::size_t requestCount() const;
  void clearRequests();

  // Lets every held or delayed request finish at once (answering as programmed); from then
  // on nothing is held or delayed.
  void releaseHeld();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kelda::test

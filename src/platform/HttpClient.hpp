// HttpClient: a synchronous HTTP client over libcurl (GET and POST, http and https only).
//
// An HttpClient owns one libcurl easy handle. Requests sent through the same object reuse its
// open connections, which suits a caller that loads many resources from one host (images);
// HttpClient::sendOnce() uses a fresh handle and keeps nothing afterwards (the gateway's
// one-shot requests). One object must not be used by two threads at once: give each thread
// (or each loading queue) its own. Nothing a server does (silence, a refused or dropped
// connection, a huge or malformed answer) raises or crashes: it shows up as `failed`.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kelda::platform {

struct HttpRequest {
  enum class Method { Get, Post };
  Method method = Method::Get;
  // Used exactly as given: nothing is escaped or added.
  std::string url;
  // POST body bytes, sent whole (ignored for GET).
  std::string body;
  // Extra header lines as name and value. With none, a POST carries only what libcurl adds
  // itself (Host, Accept, Content-Length, Content-Type application/x-www-form-urlencoded).
  std::vector<std::pair<std::string, std::string>> headers;
  // Whole-exchange limit, connection set-up included.
  std::chrono::milliseconds timeout{60000};
};

struct HttpResponse {
  // True when no complete answer arrived: no connection, time-out, dropped connection, a
  // body over the size limit, an unusable URL. Any HTTP status counts as an answer.
  bool failed = true;
  long status = 0;
  std::string body;
  std::string contentType;
  // libcurl's description of the failure (for the log); empty on success.
  std::string error;
};

class HttpClient {
 public:
  // Answers larger than this are cut off and the exchange counts as failed.
  static constexpr std::size_t kMaxBodyBytes = 64u * 1024u * 1024u;

  HttpClient();
  ~HttpClient();
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  // Sends the request and waits for the whole answer or the failure. Connections stay open
  // in this object for the next request to the same host.
  HttpResponse send(const HttpRequest& request);

  // One request on a handle of its own; no connection outlives the call.
  static HttpResponse sendOnce(const HttpRequest& request);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kelda::platform

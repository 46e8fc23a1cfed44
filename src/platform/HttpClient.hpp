// HttpClient: the client's one HTTP client over libcurl (GET and POST, http and https only),
// used by the gateway's requests and by the image loads alike, so that protocols, proxies,
// redirects, limits and the global libcurl set-up follow one set of rules.
//
// An HttpClient owns one libcurl easy handle. Requests sent through the same object reuse its
// open connections, which suits a caller that loads many resources from one host (images);
// HttpClient::sendOnce() uses a fresh handle and keeps nothing afterwards (the gateway's
// one-shot requests). One object must not be used by two threads at once: give each thread
// (or each loading queue) its own. Nothing a server does (silence, a refused or dropped
// connection, a huge or malformed answer, a hostile redirect) raises or crashes: it shows up
// as `failed`.
//
// Redirects (at most 5): a GET follows them to http or https, but never from https down to
// http. A POST is followed only to the same origin (scheme, host and port): a 307 or 308 sends
// the body again, a 301, 302 or 303 continues with a GET; a redirect of a POST anywhere else
// fails the exchange, so a body with credentials never reaches another host.
#pragma once

#include <atomic>
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
  // Limit on silence: the exchange fails when no byte is sent or received for this long
  // (connection set-up included). A slow but steady answer arrives whatever its length.
  std::chrono::milliseconds timeout{60000};
  // Answers larger than this are cut off early and the exchange fails.
  std::size_t maxBodyBytes = 64u * 1024u * 1024u;
  // When set and raised (by another thread), the exchange ends early and fails.
  const std::atomic<bool>* cancel = nullptr;
};

struct HttpResponse {
  // True when no complete answer arrived: no connection, silence past the time-out, dropped
  // connection, a body over the size limit, a refused redirect, cancellation, an unusable URL.
  // Any HTTP status counts as an answer.
  bool failed = true;
  long status = 0;
  std::string body;
  std::string contentType;
  // The description of the failure (for the log); empty on success.
  std::string error;

  bool succeeded() const { return !failed && status >= 200 && status <= 299; }
};

class HttpClient {
 public:
  static constexpr std::size_t kMaxBodyBytes = 64u * 1024u * 1024u;
  static constexpr int kMaxRedirects = 5;

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

// The origin ("scheme://host:port", lower case, default port filled in) of an absolute http or
// https address; absent for anything else.
std::optional<std::string> originOf(const std::string& url);

// The request that follows a redirect answer (`status`, to the resolved `target`) of `previous`
// under the rules above; absent when the redirect is refused.
std::optional<HttpRequest> followRedirect(const HttpRequest& previous, long status,
                                          const std::string& target);

}  // namespace kelda::platform

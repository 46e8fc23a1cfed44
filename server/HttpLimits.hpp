// HttpLimits: what the HTTP front end allows one connection and one request, so that slow,
// idle or oversized clients cannot hold the workers or the memory of the server. Plain value.
#pragma once

#include <chrono>
#include <cstddef>

namespace kelda::server {

struct HttpLimits {
  // From the first byte of a request to the end of its head, and to the end of its body.
  std::chrono::milliseconds headTimeout{10000};
  std::chrono::milliseconds requestTimeout{30000};
  // A kept-alive connection waiting for its next request.
  std::chrono::milliseconds idleTimeout{5000};
  // The longest the client may leave an answer unread before the connection is dropped.
  std::chrono::milliseconds writeTimeout{10000};
  std::size_t maxHeadBytes = 16 * 1024;
  std::size_t maxHeaderLines = 64;
  std::size_t maxBodyBytes = 1024 * 1024;
  // Open connections per address; beyond it the idlest or slowest one is closed.
  std::size_t maxConnections = 1024;
  std::size_t keepAliveRequests = 1000;
};

}  // namespace kelda::server

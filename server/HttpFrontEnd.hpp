// HttpFrontEnd: the HTTP connections of one listening address. One event thread accepts
// connections and reads each request whole, head and body, under the limits of HttpLimits;
// only a complete request is handed to a worker, which serves it through the httplib router
// and gives the connection back. So idle kept-alive connections and slow senders hold no
// worker, however many there are: the workers stay free for clients that have sent a request.
//
// What the event thread refuses itself, with a JSON error body and a closed connection: a head
// that is not complete within the head time-out (408), too large or of too many lines (431), a
// body over the limit (413) or without a length (411), an unreadable head (400). "Range" is
// dropped: the whole answer is served. Beyond the connection
// limit the idlest (or else the slowest) connection is closed to make room.
//
// Owned by MiddlewareServer: bind() and start() once, stop() (idempotent, also done by the
// destructor) from the owning thread.
#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "Connection.hpp"
#include "HttpLimits.hpp"
#include "WorkerPool.hpp"

namespace kelda::server {

// The httplib server used as the router and HTTP codec of one request at a time.
class RoutedServer : public httplib::Server {
 public:
  // Reads one request from the stream and writes its answer. `closeAfter` announces the end
  // of the connection; `closed` tells whether the client asked for it. False when the request
  // could not be read or answered.
  bool serveOne(httplib::Stream& stream, bool closeAfter, bool& closed) {
    return process_request(stream, closeAfter, closed, nullptr);
  }
};

class HttpFrontEnd {
 public:
  HttpFrontEnd(RoutedServer& server, HttpLimits limits, std::size_t workers);
  ~HttpFrontEnd();
  HttpFrontEnd(const HttpFrontEnd&) = delete;
  HttpFrontEnd& operator=(const HttpFrontEnd&) = delete;

  // Listens on host:port (0 picks a free port); returns the port. Throws std::runtime_error.
  int bind(const std::string& host, int port);
  // Starts the event thread and the workers.
  void start();
  // Stops accepting, closes every connection and waits for the requests being served.
  void stop();

 private:
  using Clock = Connection::Clock;
  void loop();
  void acceptAll();
  void adopt(int fd);
  void onReadable(int fd);
  void advance(Connection& c);
  void dispatch(Connection& c);
  void refuse(Connection& c, int status, const std::string& reason);
  void close(int fd);
  bool evictOne();
  void setAccepting(bool on);
  void takeReturned();
  void expire();
  void setDeadline(Connection& c, Clock::time_point deadline);
  void serve(std::unique_ptr<Connection> c);
  void giveBack(std::unique_ptr<Connection> c);
  void wake();

  RoutedServer& server_;
  const HttpLimits limits_;
  std::size_t workerCount_;
  int listen_ = -1, epoll_ = -1, wake_ = -1;
  bool accepting_ = true;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
  std::unique_ptr<WorkerPool> pool_;
  // Event thread only:
  std::unordered_map<int, std::unique_ptr<Connection>> connections_;
  std::size_t serving_ = 0;
  Clock::time_point nextSweep_;
  // Connections coming back from the workers.
  std::mutex returnedMutex_;
  std::vector<std::unique_ptr<Connection>> returned_;
  bool loopEnded_ = false;
};

}  // namespace kelda::server

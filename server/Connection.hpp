// Connection: one accepted client socket of the HTTP front end, with the bytes read from it
// that no request has used yet and where it stands (waiting for a request, reading one, or
// handed to a worker). Owned by one thread at a time: the front end's event thread, or the
// worker serving its request. Closes its socket when destroyed.
//
// ConnectionStream: the httplib stream a worker serves one request through. It reads the
// request from the connection's buffer (the front end has read the whole request already) and
// writes the answer to the socket, waiting at most the write time-out each time the client
// does not take it.
#pragma once

#include <httplib.h>

#include <chrono>
#include <string>

#include "HttpLimits.hpp"

namespace kelda::server {

struct Connection {
  // Idle: kept alive, waiting for a request; Head, Body: reading one; Serving: with a worker;
  // Draining: refused, its further bytes dropped until it closes.
  enum class Phase { Idle, Head, Body, Serving, Draining };
  using Clock = std::chrono::steady_clock;

  explicit Connection(int socket);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  int fd;
  std::string buffer;  // bytes read and not yet used by a request
  Phase phase = Phase::Idle;
  Clock::time_point started;   // first byte of the current request (or the accept)
  Clock::time_point deadline;  // when the current phase runs out
  std::size_t headBytes = 0;   // of the request being read, as the worker gets it
  std::size_t bodyBytes = 0;
  std::size_t served = 0;  // requests answered on this connection
  bool continueSent = false;
  bool keep = true;  // set by the worker: false closes the connection
  std::string remoteIp, localIp;
  int remotePort = 0, localPort = 0;
};

class ConnectionStream : public httplib::Stream {
 public:
  ConnectionStream(Connection& connection, const HttpLimits& limits)
      : c_(connection), limits_(limits) {}

  bool is_readable() const override;
  bool is_writable() const override;
  ssize_t read(char* ptr, size_t size) override;
  ssize_t write(const char* ptr, size_t size) override;
  void get_remote_ip_and_port(std::string& ip, int& port) const override;
  void get_local_ip_and_port(std::string& ip, int& port) const override;
  socket_t socket() const override { return c_.fd; }

  // Bytes of the connection's buffer that the request used.
  std::size_t consumed() const { return offset_; }
  // True after a read or write failed or timed out: the connection cannot be used again.
  bool broken() const { return broken_; }

 private:
  bool wait(short events, std::chrono::milliseconds timeout) const;
  Connection& c_;
  const HttpLimits& limits_;
  std::size_t offset_ = 0;
  bool broken_ = false;
};

}  // namespace kelda::server

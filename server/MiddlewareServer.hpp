// MiddlewareServer: the demo middleware as one object: opens (and on first start seeds) the
// data file, serves every endpoint over HTTP/1.1 on the main address and, when asked, the
// second (landing-page list) address, records requests and injects faults as configured.
//
// start() and stop() are called by the owning thread (main, or a test); requests are served
// on the server's own worker threads. The destructor stops the server.
#pragma once

#include <httplib.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "FaultInjector.hpp"
#include "RequestRecorder.hpp"
#include "ServerOptions.hpp"
#include "ServerState.hpp"

namespace kelda::server {

class Router;

class MiddlewareServer {
 public:
  explicit MiddlewareServer(ServerOptions options);
  ~MiddlewareServer();
  MiddlewareServer(const MiddlewareServer&) = delete;
  MiddlewareServer& operator=(const MiddlewareServer&) = delete;

  // Opens or seeds the data, binds the ports and starts serving. Throws std::runtime_error
  // (or std::invalid_argument for bad fault rules) when it cannot.
  void start();
  // Stops serving and waits for the listener threads; safe to call twice.
  void stop();

  int port() const { return port_; }
  int ctrPort() const { return ctrPort_; }
  // Seconds the seeding took on this start (0 when the data was already there).
  double seedSeconds() const { return seedSeconds_; }
  ServerState& state() { return *state_; }

 private:
  void openData();
  int listen(httplib::Server& server, int port);

  ServerOptions options_;
  std::unique_ptr<ServerState> state_;
  std::unique_ptr<RequestRecorder> recorder_;
  FaultInjector faults_;
  std::unique_ptr<Router> router_;
  httplib::Server main_;
  httplib::Server ctr_;
  std::vector<std::thread> listeners_;
  int port_ = 0;
  int ctrPort_ = -1;
  double seedSeconds_ = 0;
};

}  // namespace kelda::server

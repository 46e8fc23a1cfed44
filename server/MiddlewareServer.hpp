// MiddlewareServer: the demo middleware as one object: opens (and on first start seeds) the
// data file, serves every endpoint over HTTP/1.1 on the main address and, when asked, the
// second (landing-page list) address, records requests and injects faults as configured.
//
// start() and stop() are called by the owning thread (main, or a test); requests are served
// on the server's own worker threads. The destructor stops the server.
#pragma once

#include <memory>
#include <string>

#include "FaultInjector.hpp"
#include "HttpFrontEnd.hpp"
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
  // Stops serving and waits for the requests being served; safe to call twice.
  void stop();

  int port() const { return port_; }
  int ctrPort() const { return ctrPort_; }
  // Seconds the seeding took on this start (0 when the data was already there).
  double seedSeconds() const { return seedSeconds_; }
  ServerState& state() { return *state_; }

 private:
  void openData();
  int listen(RoutedServer& server, std::unique_ptr<HttpFrontEnd>& frontEnd, int port);

  ServerOptions options_;
  std::unique_ptr<ServerState> state_;
  std::unique_ptr<RequestRecorder> recorder_;
  FaultInjector faults_;
  std::unique_ptr<Router> router_;
  RoutedServer main_;
  RoutedServer ctr_;
  std::unique_ptr<HttpFrontEnd> mainFrontEnd_;
  std::unique_ptr<HttpFrontEnd> ctrFrontEnd_;
  int port_ = 0;
  int ctrPort_ = -1;
  double seedSeconds_ = 0;
};

}  // namespace kelda::server

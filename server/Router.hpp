// Router: binds every path of the middleware to its endpoint on an httplib server, with what
// all requests share: reading the body (at most 1 MB), recording it, injecting faults,
// turning failures into JSON error answers, and writing JSON with its content type. Owned by
// MiddlewareServer; its handlers run on the server's worker threads.
#pragma once

#include <httplib.h>

#include <functional>
#include <string>

#include "AccountEndpoints.hpp"
#include "CatalogueEndpoints.hpp"
#include "FaultInjector.hpp"
#include "OrderEndpoints.hpp"
#include "ProductEndpoint.hpp"
#include "RequestRecorder.hpp"
#include "ResultEndpoints.hpp"
#include "ServerOptions.hpp"
#include "SitePages.hpp"
#include "StoreEndpoints.hpp"

namespace kelda::server {

inline constexpr std::size_t kMaxBodyBytes = 1024 * 1024;

// What one request needs: its decoded fields (body for POST, query for GET) and the address
// the client reached this server by ("http://host:port").
struct Call {
  const httplib::Request& request;
  FormFields form;
  FormFields query;
  std::string baseUrl;
};

struct Reply {
  int status = 200;
  std::string contentType = "application/json; charset=utf-8";
  std::string body;
};

class Router {
 public:
  Router(ServerState& state, FaultInjector& faults, RequestRecorder* recorder, LogLevel level);
  // Registers every path on the server.
  void install(httplib::Server& server);

 private:
  using Producer = std::function<Reply(const Call&)>;
  using JsonProducer = std::function<json::Value(const Call&)>;
  void post(httplib::Server& server, const std::string& path, JsonProducer producer);
  void get(httplib::Server& server, const std::string& pattern, Producer producer);
  void serve(const httplib::Request& request, httplib::Response& response, const std::string& body,
             const Producer& producer);

  ServerState& state_;
  FaultInjector& faults_;
  RequestRecorder* recorder_;
  LogLevel level_;
  CatalogueEndpoints catalogue_;
  ResultEndpoints results_;
  ProductEndpoint product_;
  StoreEndpoints stores_;
  AccountEndpoints accounts_;
  OrderEndpoints orders_;
  SitePages site_;
};

// The base address of this server as the client named it in its Host header.
std::string baseUrlOf(const httplib::Request& request);
// Closes the request's connection at once, without an answer.
void dropConnection(const httplib::Request& request);

}  // namespace kelda::server

#include "MiddlewareServer.hpp"

#include <chrono>
#include <iostream>
#include <stdexcept>

#include "CatalogueSeeder.hpp"
#include "Router.hpp"
#include "Schema.hpp"

namespace kelda::server {

MiddlewareServer::MiddlewareServer(ServerOptions options) : options_(std::move(options)) {}

MiddlewareServer::~MiddlewareServer() {
  stop();
}

void MiddlewareServer::openData() {
  std::filesystem::create_directories(options_.dataDir);
  state_ =
      std::make_unique<ServerState>(options_.dataDir / "kelda-middleware.sqlite", options_.signIns);
  auto db = state_->pool.acquire();
  createSchema(*db);
  if (!isSeeded(*db)) {
    const auto started = std::chrono::steady_clock::now();
    CatalogueSeeder(*db, state_->hasher).seed({options_.products, options_.seed});
    seedSeconds_ =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  }
  createIndexes(*db);  // in case an earlier start stopped between seeding and indexing
  // The seed of the stored catalogue decides the generated reviews, whatever the options say.
  auto& seed = db->prepare("SELECT value FROM meta WHERE key = 'seed'");
  state_->seed = seed.step() ? std::stoull(seed.text(0)) : options_.seed;
}

int MiddlewareServer::listen(RoutedServer& server, std::unique_ptr<HttpFrontEnd>& frontEnd,
                             int port) {
  // The front end keeps connections; these settings only shape the answers' headers.
  server.set_keep_alive_max_count(options_.http.keepAliveRequests);
  server.set_keep_alive_timeout(
      std::chrono::duration_cast<std::chrono::seconds>(options_.http.idleTimeout).count());
  router_->install(server);
  frontEnd = std::make_unique<HttpFrontEnd>(server, options_.http, options_.threads);
  const int bound = frontEnd->bind(options_.host, port);
  frontEnd->start();
  return bound;
}

void MiddlewareServer::start() {
  if (!options_.faults.empty()) faults_.configure(options_.faults, options_.seed);
  openData();
  if (!options_.recordFile.empty())
    recorder_ = std::make_unique<RequestRecorder>(options_.recordFile);
  router_ = std::make_unique<Router>(*state_, faults_, recorder_.get(), options_.logLevel);
  port_ = listen(main_, mainFrontEnd_, options_.port);
  if (options_.ctrPort >= 0) ctrPort_ = listen(ctr_, ctrFrontEnd_, options_.ctrPort);
}

void MiddlewareServer::stop() {
  faults_.stop();
  if (mainFrontEnd_) mainFrontEnd_->stop();
  if (ctrFrontEnd_) ctrFrontEnd_->stop();
}

}  // namespace kelda::server

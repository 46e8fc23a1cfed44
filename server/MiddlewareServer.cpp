#include "MiddlewareServer.hpp"

#include <chrono>
#include <iostream>
#include <stdexcept>
#include <thread>

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
  state_ = std::make_unique<ServerState>(options_.dataDir / "kelda-middleware.sqlite");
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

int MiddlewareServer::listen(httplib::Server& server, int port) {
  const std::size_t threads = options_.threads;
  // Each keep-alive connection holds a worker while it lasts, so the pool is sized for many
  // concurrent clients rather than for the cores. (The server takes ownership of the queue.)
  server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  server.set_keep_alive_max_count(1000);
  // Answers are written in more than one piece; without this, Nagle's algorithm and delayed
  // acknowledgements hold each answer back for tens of milliseconds.
  server.set_tcp_nodelay(true);
  router_->install(server);
  const int bound = port == 0 ? server.bind_to_any_port(options_.host)
                              : (server.bind_to_port(options_.host, port) ? port : -1);
  if (bound < 0)
    throw std::runtime_error("cannot listen on " + options_.host + ":" + std::to_string(port));
  listeners_.emplace_back([&server] { server.listen_after_bind(); });
  return bound;
}

void MiddlewareServer::start() {
  if (!options_.faults.empty()) faults_.configure(options_.faults, options_.seed);
  openData();
  if (!options_.recordFile.empty())
    recorder_ = std::make_unique<RequestRecorder>(options_.recordFile);
  router_ = std::make_unique<Router>(*state_, faults_, recorder_.get(), options_.logLevel);
  port_ = listen(main_, options_.port);
  if (options_.ctrPort >= 0) ctrPort_ = listen(ctr_, options_.ctrPort);
  // Connections queue on the bound sockets already; wait until the accept loops run so that
  // an early stop() cannot miss them.
  for (int i = 0; i < 5000 && (!main_.is_running() || (ctrPort_ >= 0 && !ctr_.is_running())); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void MiddlewareServer::stop() {
  faults_.stop();
  main_.stop();
  ctr_.stop();
  for (auto& t : listeners_) {
    if (t.joinable()) t.join();
  }
  listeners_.clear();
}

}  // namespace kelda::server

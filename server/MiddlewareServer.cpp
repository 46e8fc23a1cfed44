#include "MiddlewareServer.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <iostream>
#include <stdexcept>

#include "CatalogueSeeder.hpp"
#include "Router.hpp"
#include "Schema.hpp"

namespace kelda::server {

namespace {

// The data holds password hashes, card numbers and addresses: the directory is created for
// its owner only (0700), and the data file and its journal files are readable by the owner
// only (0600), whether they are new or were left by an earlier start.
void protectDataFiles(const std::filesystem::path& dir) {
  namespace fs = std::filesystem;
  if (!fs::exists(dir)) {
    if (dir.has_parent_path()) fs::create_directories(dir.parent_path());
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
      throw std::runtime_error("cannot create " + dir.string());
    }
  }
  const fs::path file = dir / "kelda-middleware.sqlite";
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) throw std::runtime_error("cannot open " + file.string());
  ::fchmod(fd, 0600);
  ::close(fd);
  for (const char* suffix : {"-wal", "-shm", "-journal"}) {
    ::chmod((file.string() + suffix).c_str(), 0600);  // absent files are fine
  }
}

}  // namespace

MiddlewareServer::MiddlewareServer(ServerOptions options) : options_(std::move(options)) {}

MiddlewareServer::~MiddlewareServer() {
  stop();
}

void MiddlewareServer::openData() {
  protectDataFiles(options_.dataDir);
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

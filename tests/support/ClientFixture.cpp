#include "support/ClientFixture.hpp"

#include <cstdlib>

namespace kelda::test {

platform::Options testOptions(const FakeMiddleware& server, const std::filesystem::path& home) {
  platform::Options options = platform::Options::defaults();
  options.middleware = server.address();
  options.ctrAddress = server.address();
  options.webHost = server.address();
  options.mapsHost = server.address();
  options.home = home;
  // The shipped resources of the source tree (ctest names them).
  if (const char* resources = std::getenv("KELDA_RESOURCES")) options.resources = resources;
  return options;
}

ClientFixture::ClientFixture()
    : context_(std::make_unique<platform::Context>(testOptions(server_, home_.path()))) {
  scope_.emplace(*context_);
  runLoop().setClock(clock_);
}

ClientFixture::~ClientFixture() {
  server_.releaseHeld();
  runLoop().runUntilIdle();
  // The context goes while still current: its objects' destructors may reach their peers.
  context_.reset();
  scope_.reset();
}

platform::RunLoop& ClientFixture::runLoop() {
  return context_->get<platform::RunLoop>();
}

void ClientFixture::updateOptions(const std::function<void(platform::Options&)>& change) {
  platform::Options options = *context_->options();
  change(options);
  context_->setOptions(std::move(options));
}

void ClientFixture::forceReachability(std::optional<platform::ForcedReachability> forced) {
  updateOptions([&](platform::Options& options) { options.reachability = forced; });
}

void ClientFixture::setMiddleware(const std::string& address) {
  updateOptions([&](platform::Options& options) { options.middleware = address; });
}

void ClientFixture::runUntilIdle() {
  runLoop().runUntilIdle();
}

void ClientFixture::advanceBy(platform::Duration by) {
  runLoop().advanceBy(by);
}

}  // namespace kelda::test

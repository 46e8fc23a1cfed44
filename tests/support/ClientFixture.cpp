#include "support/ClientFixture.hpp"

namespace kelda::test {

ClientFixture::ClientFixture() {
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

void ClientFixture::runUntilIdle() {
  runLoop().runUntilIdle();
}

void ClientFixture::advanceBy(platform::Duration by) {
  runLoop().advanceBy(by);
}

}  // namespace kelda::test

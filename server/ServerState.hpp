// ServerState: what every endpoint of one running server shares: the connection pool of its
// data file, the password hasher, the seed, the result-set cache and the analytics log. Owned by
// MiddlewareServer; every member is safe to use from the request threads.
#pragma once

#include <cstdint>
#include <filesystem>

#include "AnalyticsLog.hpp"
#include "DatabasePool.hpp"
#include "PasswordHasher.hpp"
#include "ResultCache.hpp"

namespace kelda::server {

struct ServerState {
  explicit ServerState(std::filesystem::path file) : pool(std::move(file)) {}
  DatabasePool pool;
  PasswordHasher hasher;
  ResultCache results;
  AnalyticsLog analytics;
  std::uint64_t seed = 1;
};

}  // namespace kelda::server

// ServerState: what every endpoint of one running server shares: the connection pool of its
// data file, the password hasher and sign-in guard, the seed, the result-set cache and the
// analytics log. Owned by MiddlewareServer; every member is safe to use from the request threads.
#pragma once

#include <cstdint>
#include <filesystem>

#include "AnalyticsLog.hpp"
#include "DatabasePool.hpp"
#include "PasswordHasher.hpp"
#include "ProductRowCache.hpp"
#include "ResultCache.hpp"
#include "SignInGuard.hpp"

namespace kelda::server {

struct ServerState {
  ServerState(std::filesystem::path file, SignInLimits limits)
      : pool(std::move(file)), signIns(limits) {}
  DatabasePool pool;
  PasswordHasher hasher;
  SignInGuard signIns;
  ResultCache results;
  ProductRowCache rows;
  AnalyticsLog analytics;
  std::uint64_t seed = 1;
};

}  // namespace kelda::server

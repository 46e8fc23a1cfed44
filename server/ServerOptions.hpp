// ServerOptions: how one kelda-middleware runs (the command line's options). Plain value.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "HttpLimits.hpp"
#include "SignInGuard.hpp"

namespace kelda::server {

enum class LogLevel { Error, Warn, Info, Debug };

struct ServerOptions {
  std::string host = "127.0.0.1";
  int port = 0;      // 0 picks a free port
  int ctrPort = -1;  // the landing-page list's second address; -1: none, 0: a free port
  std::filesystem::path dataDir = "kelda-middleware-data";
  long long products = 5000;
  std::uint64_t seed = 1;
  std::filesystem::path recordFile;  // empty: no record
  std::string faults;
  LogLevel logLevel = LogLevel::Info;
  std::size_t threads = 16;  // workers per address; connections hold none while idle
  HttpLimits http;
  SignInLimits signIns;
};

}  // namespace kelda::server

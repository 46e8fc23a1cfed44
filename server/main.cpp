// kelda-middleware: the demo middleware server of the Kelda shopping client.
#include <CLI/CLI.hpp>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <map>

#include "MiddlewareServer.hpp"

int main(int argc, char** argv) {
  using kelda::server::LogLevel;
  kelda::server::ServerOptions options;
  std::string logLevel = "info";
  std::string record;
  CLI::App app{"Kelda demo middleware server"};
  app.add_option("--port", options.port, "Port of the main address (0 picks a free one)")
      ->check(CLI::Range(0, 65535));
  app.add_option("--ctr-port", options.ctrPort,
                 "Port of the landing-page list address (0 picks a free one)")
      ->check(CLI::Range(0, 65535));
  app.add_option("--host", options.host, "Address to listen on");
  app.add_option("--data", options.dataDir,
                 "Directory of the data file (created and seeded on first start)");
  app.add_option("--products", options.products, "Catalogue size when seeding")
      ->check(CLI::Range(1LL, 1000000LL));
  app.add_option("--seed", options.seed, "Seed of the generated catalogue");
  app.add_option("--record", record, "Append every request to this file, one JSON object per line");
  app.add_option("--faults", options.faults,
                 "Fault rules, e.g. \"results=empty@0.5;*=delay:2@0.1\"");
  app.add_option("--threads", options.threads, "Worker threads per address")
      ->check(CLI::Range(2, 1024));
  app.add_option("--log-level", logLevel, "error, warn, info or debug")
      ->check(CLI::IsMember({"error", "warn", "info", "debug"}));
  CLI11_PARSE(app, argc, argv);
  static const std::map<std::string, LogLevel> kLevels{{"error", LogLevel::Error},
                                                       {"warn", LogLevel::Warn},
                                                       {"info", LogLevel::Info},
                                                       {"debug", LogLevel::Debug}};
  options.logLevel = kLevels.at(logLevel);
  options.recordFile = record;

  // Signals are taken by sigwait below; block them before any thread starts.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  // Every connection is a descriptor: allow as many as the system lets this process have.
  rlimit files{};
  if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
  }

  kelda::server::MiddlewareServer server(options);
  try {
    server.start();
  } catch (const std::exception& e) {
    std::cerr << "kelda-middleware: " << e.what() << '\n';
    return EXIT_FAILURE;
  }
  if (server.seedSeconds() > 0 && options.logLevel >= LogLevel::Info) {
    std::cerr << "seeded " << options.products << " products in " << server.seedSeconds() << " s\n";
  }
  std::cout << "listening on http://" << options.host << ':' << server.port() << '\n';
  if (server.ctrPort() >= 0)
    std::cout << "landing pages on http://" << options.host << ':' << server.ctrPort() << '\n';
  // Callers off the loopback interface read the analytics log only with this token.
  std::cout << "analytics log token: " << server.state().analytics.token() << '\n';
  std::cout.flush();
  int received = 0;
  sigwait(&signals, &received);
  server.stop();
  if (options.logLevel >= LogLevel::Info) std::cerr << "stopped\n";
  return EXIT_SUCCESS;
}

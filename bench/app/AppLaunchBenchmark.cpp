// Headless launch to the tab shell: applicationDidFinishLaunching() on a fresh context until
// the five tabs are up, against an in-process middleware on loopback that answers at once.
// Reports the time per launch and the resident memory after the launches (rss_mb).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/TarnAppDelegate.hpp"
#include "platform/Context.hpp"
#include "platform/Log.hpp"
#include "platform/RunLoop.hpp"
#include "support/ClientFixture.hpp"
#include "support/FakeMiddleware.hpp"
#include "support/TempDirectory.hpp"

namespace {

using kelda::app::TarnAppDelegate;

double residentMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

// One launch on a fresh context; `firstLaunch` leaves no launch.plist, so the prompt comes.
void launchOnce(bool firstLaunch, const kelda::platform::Options& options) {
  if (firstLaunch) std::filesystem::remove(options.home / "launch.plist");
  auto context = std::make_unique<kelda::platform::Context>(options);
  kelda::platform::ScopedContext scope(*context);
  auto& loop = kelda::platform::RunLoop::main();
  loop.setClock(std::make_shared<kelda::platform::ManualClock>());
  TarnAppDelegate::shared().applicationDidFinishLaunching();
  loop.runUntilIdle();
  if (TarnAppDelegate::shared().tabBarController() == nullptr) std::abort();
  context.reset();  // while current: the screens leave through it
}

void BM_Launch(benchmark::State& state) {
  const bool firstLaunch = state.range(0) == 1;
  kelda::test::FakeMiddleware server;
  server.answer("/coremetrics_url", R"({"data":")" + server.url("/tag?ci=1") + R"("})");
  kelda::test::TempDirectory home;
  const kelda::platform::Options options = kelda::test::testOptions(server, home.path());
  kelda::log::configure("error", "");
  for (auto _ : state) launchOnce(firstLaunch, options);
  state.counters["rss_mb"] = residentMegabytes();
  state.SetLabel(firstLaunch ? "first launch (prompt)" : "later launch");
}
BENCHMARK(BM_Launch)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

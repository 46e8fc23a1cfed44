#include "platform/Options.hpp"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "kelda/Config.hpp"

namespace kelda::platform {
namespace {

namespace fs = std::filesystem;

fs::path userHome(const Environment& environment) {
  if (auto home = environment("HOME"); home && !home->empty()) return *home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return {};
}

fs::path chosenHome(const Environment& environment) {
  if (auto home = environment("KELDA_HOME"); home && !home->empty()) return *home;
  fs::path data = environment("XDG_DATA_HOME").value_or("");
  if (!data.empty() && data.is_absolute()) return data / "kelda";
  fs::path user = userHome(environment);
  if (user.empty()) return {};
  return user / ".local" / "share" / "kelda";
}

}  // namespace

Environment processEnvironment() {
  return [](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  };
}

Options Options::defaults() {
  Options options;
  options.middleware = config::kMiddleware;
  options.ctrAddress = config::kCtrAddress;
  options.webHost = config::kWebHost;
  options.mapsHost = config::kMapsHost;
  options.mapsKey = config::kMapsKey;
  options.resources = config::kDefaultResources;
  options.logLevel = "info";
  return options;
}

Options Options::fromEnvironment(const Environment& environment) {
  Options options = defaults();
  auto read = [&](const char* name, std::string& field) {
    if (auto value = environment(name)) field = *value;
  };
  read("KELDA_MIDDLEWARE", options.middleware);
  read("KELDA_CTR_ADDRESS", options.ctrAddress);
  read("KELDA_WEB_HOST", options.webHost);
  read("KELDA_MAPS_HOST", options.mapsHost);
  read("KELDA_MAPS_KEY", options.mapsKey);
  read("KELDA_LOG_LEVEL", options.logLevel);
  read("KELDA_LOG_FILE", options.logFile);
  options.home = chosenHome(environment);
  if (auto resources = environment("KELDA_RESOURCES"); resources && !resources->empty()) {
    options.resources = *resources;
  }
  if (auto forced = environment("KELDA_REACHABILITY")) {
    options.reachability = parseForcedReachability(*forced);
  }
  if (auto position = environment("KELDA_POSITION"); position && !position->empty()) {
    options.position = *position;
  }
  return options;
}

std::optional<ForcedReachability> parseForcedReachability(std::string_view text) {
  if (text == "none") return ForcedReachability::None;
  if (text == "wwan") return ForcedReachability::Wwan;
  if (text == "wifi") return ForcedReachability::Wifi;
  return std::nullopt;
}

}  // namespace kelda::platform

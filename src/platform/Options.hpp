// Options: the client's configuration, read once at start (environment variables over the
// build settings, then a front end's own flags over both) and owned by the Context. Workers
// and screens read the options of the current context; nothing reads the environment later.
//
// A plain value. Context::options() hands out an immutable snapshot that any thread may keep;
// Context::setOptions() replaces it whole (tests, or a front end before launch).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kelda::platform {

// Reads one environment variable: its value, or nothing when it is not set.
using Environment = std::function<std::optional<std::string>(const char* name)>;
// The process's environment (getenv).
Environment processEnvironment();

// Forced connection kind of the reachability layer (KELDA_REACHABILITY).
enum class ForcedReachability { None, Wwan, Wifi };

struct Options {
  // Middleware address: "host[:port]" (host name or IPv4 address), or the same after
  // "http://" or "https://". KELDA_MIDDLEWARE.
  std::string middleware;
  // Address of the landing-page list (KELDA_CTR_ADDRESS), the retailer's web pages
  // (KELDA_WEB_HOST), the geocoder (KELDA_MAPS_HOST) and its key (KELDA_MAPS_KEY).
  std::string ctrAddress;
  std::string webHost;
  std::string mapsHost;
  std::string mapsKey;
  // Documents directory: KELDA_HOME, else $XDG_DATA_HOME/kelda (absolute XDG_DATA_HOME only),
  // else ~/.local/share/kelda. Empty when none can be named. Created (0700) on first use.
  std::filesystem::path home;
  // Shipped resources: KELDA_RESOURCES, else the build's resources directory.
  std::filesystem::path resources;
  // KELDA_REACHABILITY=none|wwan|wifi; absent: the route to the middleware decides.
  std::optional<ForcedReachability> reachability;
  // The device's position "lat,lon" (KELDA_POSITION); absent: no position is known.
  std::optional<std::string> position;
  // KELDA_LOG_LEVEL and KELDA_LOG_FILE (applied by the front ends with log::configure).
  std::string logLevel;
  std::string logFile;

  // The build settings alone (no environment).
  static Options defaults();
  // The build settings overridden by the environment, read now.
  static Options fromEnvironment(const Environment& environment = processEnvironment());
};

// "none", "wwan", "wifi" -> the forced kind; anything else -> absent.
std::optional<ForcedReachability> parseForcedReachability(std::string_view text);

}  // namespace kelda::platform

// CliOptions: the command line of kelda-cli,
//   kelda-cli [--server HOST[:PORT]] [--home DIR] [--position LAT,LON] [--script FILE|-]
//             [--json] [--clock real|virtual]
#pragma once

#include <optional>
#include <string>
#include <variant>

namespace kelda::cli {

struct CliOptions {
  std::optional<std::string> server;  // middleware address (else KELDA_MIDDLEWARE / build setting)
  std::optional<std::string> home;    // documents directory (else KELDA_HOME / the default)
  std::optional<std::string> position;  // the device's position "lat,lon" (else KELDA_POSITION)
  std::optional<std::string> script;    // commands from this file ("-": standard input)
  bool json = false;                    // print screens as JSON
  // The client's clock: virtual time moves only with `wait SECONDS` (deterministic scripts);
  // real time runs timers by themselves. Default: virtual with --script, real otherwise.
  bool virtualClock = false;
};

// What parsing gave: options to run with, or an exit status after help or an error (the
// message is already printed).
using ParsedOptions = std::variant<CliOptions, int>;
ParsedOptions parseCliOptions(int argc, char** argv);

}  // namespace kelda::cli

// WindowOptions: the command line of kelda,
//   kelda [--server HOST[:PORT]] [--home DIR] [--position LAT,LON]
//         [--screenshots DIR --script FILE] [--clock real|virtual]
// Qt's own options (-platform, ...) are left for the QGuiApplication.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kelda::qt {

struct WindowOptions {
  std::optional<std::string> server;       // middleware address (else KELDA_MIDDLEWARE)
  std::optional<std::string> home;         // documents directory (else KELDA_HOME)
  std::optional<std::string> position;     // the device's position "lat,lon" (else KELDA_POSITION)
  std::optional<std::string> screenshots;  // with `script`: save one picture per command here
  std::optional<std::string> script;       // kelda-cli commands to run in the window
  // Scripted runs default to virtual time (as kelda-cli scripts); the window runs on the
  // real clock.
  bool virtualClock = false;
  // The arguments that were not ours, program name first (for Qt).
  std::vector<std::string> qtArguments;
};

// Options to run with, or an exit status after help or an error (the message is printed).
using ParsedWindowOptions = std::variant<WindowOptions, int>;
ParsedWindowOptions parseWindowOptions(int argc, char** argv);

}  // namespace kelda::qt

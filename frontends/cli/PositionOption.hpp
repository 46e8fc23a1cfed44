// PositionOption: the front ends' --position LAT,LON, the device's position in degrees. It
// takes the place of KELDA_POSITION and is checked at start, so that a mistyped position
// stops the program instead of leaving the store search without one.
#pragma once

#include <optional>
#include <string>

namespace kelda::cli {

// The option's one-line description for --help.
inline constexpr const char* kPositionOptionHelp =
    "The device's position in degrees, latitude (-90 to 90) then longitude (-180 to 180), "
    "e.g. 40.7484,-73.9857 (else KELDA_POSITION)";

// Nothing when `text` is a position the client can use; else the message that says why not.
std::optional<std::string> positionOptionError(const std::string& text);

}  // namespace kelda::cli

#include "PositionOption.hpp"

#include "platform/PositionProvider.hpp"

namespace kelda::cli {

std::optional<std::string> positionOptionError(const std::string& text) {
  if (platform::PositionProvider::parsePosition(text)) return std::nullopt;
  return "--position: \"" + text +
         "\" is not a position; give LAT,LON in degrees, latitude -90 to 90 and longitude -180 "
         "to 180 (e.g. 40.7484,-73.9857)";
}

}  // namespace kelda::cli

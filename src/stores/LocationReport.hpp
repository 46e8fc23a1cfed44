// LocationReport: the texts the location controller reports, and how a waiting screen reads a
// report back as a position.
//
// A fix reads "%@, %@" of latitude and longitude (six decimals) followed by a line break.
// Failures read as one of the messages below; any other failure as "Error domain: ..." with
// its code and description.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelda::stores {

inline constexpr const char* kLatLongUnavailable = "Your position is not available just now.";
inline constexpr const char* kLocationUnknown =
    "Your position could not be found. Please try again later.";
inline constexpr const char* kLocationDenied =
    "Kelda may not use your position. Allow it in your settings and try again.";
inline constexpr const char* kGenericLocationError = "Your position could not be found. Error";

struct ReportedPosition {
  // The texts as reported (without blanks or line breaks around them).
  std::string latitude;
  std::string longitude;
};

// The position of a report: two parts separated by ", " that are a latitude in -90..90 and a
// longitude in -180..180. Nothing for any other report (a failure's message).
std::optional<ReportedPosition> positionOfReport(std::string_view report);

// The report as a shopper reads it in an alert (without the trailing line breaks).
std::string reportMessage(std::string_view report);

}  // namespace kelda::stores

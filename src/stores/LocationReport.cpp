#include "stores/LocationReport.hpp"

#include "platform/PositionProvider.hpp"

namespace kelda::stores {
namespace {

std::string_view trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::optional<ReportedPosition> positionOfReport(std::string_view report) {
  const auto separator = report.find(", ");
  if (separator == std::string_view::npos) return std::nullopt;
  const std::string_view latitude = trimmed(report.substr(0, separator));
  const std::string_view longitude = trimmed(report.substr(separator + 2));
  if (longitude.find(", ") != std::string_view::npos) return std::nullopt;  // three parts
  const std::string both = std::string(latitude) + "," + std::string(longitude);
  if (!platform::PositionProvider::parsePosition(both)) return std::nullopt;
  return ReportedPosition{std::string(latitude), std::string(longitude)};
}

std::string reportMessage(std::string_view report) {
  return std::string(trimmed(report));
}

}  // namespace kelda::stores

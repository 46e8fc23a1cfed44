#include "platform/PositionProvider.hpp"

#include <charconv>
#include <cmath>
#include <utility>

#include "platform/Context.hpp"
#include "platform/RunLoop.hpp"

namespace kelda::platform {
namespace {

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// A whole decimal number (no hexadecimal, no infinities or NaN), or nothing.
std::optional<double> decimal(std::string_view text) {
  text = trimmed(text);
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    if (!(c >= '0' && c <= '9') && c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E') {
      return std::nullopt;
    }
  }
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

PositionProvider& PositionProvider::shared() {
  return Context::current().get<PositionProvider>();
}

std::optional<PositionFix> PositionProvider::parsePosition(std::string_view text) {
  const auto comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const auto latitude = decimal(text.substr(0, comma));
  const auto longitude = decimal(text.substr(comma + 1));
  if (!latitude || !longitude) return std::nullopt;
  if (std::fabs(*latitude) > 90 || std::fabs(*longitude) > 180) return std::nullopt;
  return PositionFix{*latitude, *longitude, kConfiguredAccuracy};
}

PositionOutcome PositionProvider::configuredOutcome(const std::optional<std::string>& position) {
  if (position) {
    if (auto fix = parsePosition(*position)) return *fix;
  }
  return PositionFailure{std::string(kLocationErrorDomain), kLocationUnknown,
                         "No position is known."};
}

void PositionProvider::script(std::deque<std::optional<PositionOutcome>> outcomes) {
  script_ = std::move(outcomes);
}

std::optional<PositionOutcome> PositionProvider::nextOutcome() {
  if (script_.empty()) return configuredOutcome(options()->position);
  std::optional<PositionOutcome> next = std::move(script_.front());
  script_.pop_front();
  return next;
}

void PositionProvider::startUpdatingLocation(Receiver receiver) {
  updating_ = true;
  ++starts_;
  const std::uint64_t generation = ++generation_;
  std::optional<PositionOutcome> outcome = nextOutcome();
  if (!outcome) return;  // this start never answers
  RunLoop::main().post(
      [this, generation, receiver = std::move(receiver), outcome = std::move(*outcome)] {
        if (!updating_ || generation != generation_) return;
        receiver(outcome);
      });
}

void PositionProvider::stopUpdatingLocation() {
  updating_ = false;
  ++generation_;
}

}  // namespace kelda::platform

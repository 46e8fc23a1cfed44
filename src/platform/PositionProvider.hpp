// PositionProvider: the device's position, standing in for the phone's location service.
//
// Each start of updates yields one outcome, delivered on the main thread by a later task of
// the run loop (as a device reports after a moment): a fix or a failure. By default the
// outcome is the configured position (`options()->position`, "lat,lon" from KELDA_POSITION or a
// front end's option): a fix when it names a latitude in -90..90 and a longitude in -180..180,
// else the failure "location unknown". Tests script the outcomes of the next starts instead:
// fixes (also with a negative accuracy), refusals, other failures, or no answer at all.
//
// One per Context (shared()). Main thread only.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kelda::platform {

struct PositionFix {
  double latitude = 0;
  double longitude = 0;
  // In metres; negative when the fix carries no usable position.
  double horizontalAccuracy = 0;
};

// The location service's domain and its codes; other domains are other failures.
inline constexpr std::string_view kLocationErrorDomain = "kCLErrorDomain";
inline constexpr int kLocationUnknown = 0;
inline constexpr int kLocationDenied = 1;

struct PositionFailure {
  std::string domain{kLocationErrorDomain};
  int code = kLocationUnknown;
  std::string description;
};

using PositionOutcome = std::variant<PositionFix, PositionFailure>;

class PositionProvider {
 public:
  using Receiver = std::function<void(const PositionOutcome&)>;
  // The accuracy of a configured position.
  static constexpr double kConfiguredAccuracy = 10;

  PositionProvider() = default;
  PositionProvider(const PositionProvider&) = delete;
  PositionProvider& operator=(const PositionProvider&) = delete;

  // The current context's provider.
  static PositionProvider& shared();

  // Starts updates: `receiver` gets this start's outcome in a later main-loop task, unless
  // updates are stopped (or started again) first. A scripted start without an answer never
  // calls back.
  void startUpdatingLocation(Receiver receiver);
  void stopUpdatingLocation();
  bool isUpdating() const { return updating_; }
  // How many times updates were started (tests check that no position was asked for).
  int starts() const { return starts_; }

  // Tests: the outcomes of the next starts, in order; an absent entry never answers. Once the
  // script is used up the configured position answers again.
  void script(std::deque<std::optional<PositionOutcome>> outcomes);

  // The outcome of a configured position text (absent: no position configured).
  static PositionOutcome configuredOutcome(const std::optional<std::string>& position);
  // "lat,lon" with both parts decimal numbers in range (blanks around each allowed).
  static std::optional<PositionFix> parsePosition(std::string_view text);

 private:
  std::optional<PositionOutcome> nextOutcome();

  std::deque<std::optional<PositionOutcome>> script_;
  bool updating_ = false;
  int starts_ = 0;
  // Names the current start, so that an outcome of an earlier one is dropped.
  std::uint64_t generation_ = 0;
};

}  // namespace kelda::platform

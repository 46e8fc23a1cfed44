// MyCLController: the store screens' one way to the device's position. It starts the position
// provider for the screen that waits (its delegate) and reports the outcome to it as one text
// through newLocationUpdate: "lat, lon" followed by a line break for a fix, or a message that
// says why there is none (see LocationReport). Each start gives one report, after which
// updates stop; a provider that has not answered within kTimeout reports "location unknown".
//
// One per Context (sharedInstance()); it lives for the whole run and holds at most one
// delegate, weakly. Main thread only.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "platform/PositionProvider.hpp"
#include "platform/RunLoop.hpp"

namespace kelda::stores {

class MyCLControllerDelegate {
 public:
  virtual ~MyCLControllerDelegate() = default;
  virtual void newLocationUpdate(const std::string& text) = 0;
};

class MyCLController {
 public:
  static constexpr std::chrono::seconds kTimeout{30};

  MyCLController() = default;
  ~MyCLController();
  MyCLController(const MyCLController&) = delete;
  MyCLController& operator=(const MyCLController&) = delete;

  static MyCLController& sharedInstance();

  void startUpdatingLocation();
  void stopUpdatingLocation();
  bool isUpdating() const;

  std::weak_ptr<MyCLControllerDelegate> delegate;

  // The report text of a provider's outcome.
  static std::string reportFor(const platform::PositionOutcome& outcome);

 private:
  void report(const std::string& text);

  std::optional<platform::TimerId> timeout_;
};

}  // namespace kelda::stores

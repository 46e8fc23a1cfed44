#include "stores/MyCLController.hpp"

#include <fmt/format.h>

#include <variant>

#include "platform/Context.hpp"
#include "stores/LocationReport.hpp"

namespace kelda::stores {
namespace {

using platform::PositionFailure;
using platform::PositionFix;
using platform::PositionProvider;

std::string reportForFix(const PositionFix& fix) {
  if (fix.horizontalAccuracy < 0) return kLatLongUnavailable;
  return fmt::format("{:.6f}, {:.6f}\n", fix.latitude, fix.longitude);
}

std::string reportForFailure(const PositionFailure& failure) {
  if (failure.domain == platform::kLocationErrorDomain) {
    if (failure.code == platform::kLocationUnknown) return kLocationUnknown;
    if (failure.code == platform::kLocationDenied) return kLocationDenied;
    return fmt::format("{} {}\n", kGenericLocationError, failure.code);
  }
  return fmt::format("Error domain: \"{}\"  Error code: {}\nDescription: \"{}\"\n", failure.domain,
                     failure.code, failure.description);
}

}  // namespace

MyCLController& MyCLController::sharedInstance() {
  return platform::Context::current().get<MyCLController>();
}

MyCLController::~MyCLController() = default;

std::string MyCLController::reportFor(const platform::PositionOutcome& outcome) {
  if (const auto* fix = std::get_if<PositionFix>(&outcome)) return reportForFix(*fix);
  return reportForFailure(std::get<PositionFailure>(outcome));
}

bool MyCLController::isUpdating() const {
  return PositionProvider::shared().isUpdating();
}

void MyCLController::startUpdatingLocation() {
  stopUpdatingLocation();
  auto& loop = platform::RunLoop::main();
  // A provider that never answers must not leave a screen waiting behind its overlay.
  timeout_ = loop.schedule(kTimeout, [this] {
    timeout_.reset();
    report(kLocationUnknown);
  });
  PositionProvider::shared().startUpdatingLocation(
      [this](const platform::PositionOutcome& outcome) { report(reportFor(outcome)); });
}

void MyCLController::stopUpdatingLocation() {
  PositionProvider::shared().stopUpdatingLocation();
  if (timeout_) platform::RunLoop::main().cancel(*timeout_);
  timeout_.reset();
}

void MyCLController::report(const std::string& text) {
  stopUpdatingLocation();
  if (auto waiting = delegate.lock()) waiting->newLocationUpdate(text);
}

}  // namespace kelda::stores

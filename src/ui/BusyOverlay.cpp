#include "ui/BusyOverlay.hpp"

#include "ui/ActivityIndicatorView.hpp"

namespace kelda::ui {

namespace {
constexpr const char* kBusyOverlayIdentifier = "busy";
constexpr double kIndicatorSide = 37;  // a large indicator
}  // namespace

std::shared_ptr<View> activityIndicatorViewWithFrame(Rect) {
  auto overlay = std::make_shared<View>(screenBounds());
  overlay->backgroundColor = Color::gray(0.05);
  overlay->alpha = 0.6;
  overlay->takesAllTouches = true;
  overlay->identifier = kBusyOverlayIdentifier;
  auto spinner = overlay->add<ActivityIndicatorView>(ActivityIndicatorStyle::WhiteLarge);
  spinner->frame = makeRect((kScreenWidth - kIndicatorSide) / 2,
                            (kScreenHeight - kIndicatorSide) / 2, kIndicatorSide, kIndicatorSide);
  spinner->startAnimating();
  return overlay;
}

bool isBusyOverlay(const View& view) {
  return view.takesAllTouches && view.identifier == kBusyOverlayIdentifier;
}

}  // namespace kelda::ui

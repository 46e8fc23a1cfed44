#include "stores/BusyOverlayHandle.hpp"

#include "ui/BusyOverlay.hpp"
#include "ui/Window.hpp"

namespace kelda::stores {

void BusyOverlayHandle::show() {
  if (isShown()) return;
  if (!overlay_) overlay_ = ui::activityIndicatorViewWithFrame();
  ui::Window::shared().addSubview(overlay_);
}

void BusyOverlayHandle::hide() {
  if (overlay_) overlay_->removeFromSuperview();
}

bool BusyOverlayHandle::isShown() const {
  return overlay_ && overlay_->superview() != nullptr;
}

}  // namespace kelda::stores

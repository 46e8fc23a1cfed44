// BusyOverlayHandle: one screen's use of the busy overlay, shown over the window while the
// screen's request runs and removed when it hands back. Showing twice shows one overlay.
// Owned by the screen; main thread only.
#pragma once

#include <memory>

#include "ui/View.hpp"

namespace kelda::support {

class BusyOverlayHandle {
 public:
  void show();
  void hide();
  bool isShown() const;

 private:
  std::shared_ptr<ui::View> overlay_;
};

}  // namespace kelda::support

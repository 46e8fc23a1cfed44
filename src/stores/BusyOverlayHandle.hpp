// BusyOverlayHandle: one store screen's use of the busy overlay, shown over the window while
// the screen's request or position search runs and removed when it hands back. Showing twice
// shows one overlay. Owned by the screen; main thread only.
#pragma once

#include <memory>

#include "ui/View.hpp"

namespace kelda::stores {

class BusyOverlayHandle {
 public:
  void show();
  void hide();
  bool isShown() const;

 private:
  std::shared_ptr<ui::View> overlay_;
};

}  // namespace kelda::stores

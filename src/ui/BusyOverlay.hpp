// The shared busy overlay: a full-screen dimmed view with a large white spinning indicator that
// screens add over their content while a request runs and remove afterwards. While it is shown
// it takes every touch. Main thread only.
#pragma once

#include <memory>

#include "ui/Geometry.hpp"
#include "ui/View.hpp"

namespace kelda::ui {

// A new overlay: the frame argument is ignored; the view covers 320 by 480 points at the origin,
// grey level 0.05 at opacity 0.6, holding a large white indicator that is already spinning,
// near the centre.
std::shared_ptr<View> activityIndicatorViewWithFrame(Rect ignored = {});

// True when `view` is a busy overlay made by activityIndicatorViewWithFrame.
bool isBusyOverlay(const View& view);

}  // namespace kelda::ui

// DropInBanner: a notice that drops in over the screen and folds away again by itself. Both
// animations start through delayed calls on the main run loop: the drop-in on the next pass,
// the fold-away `visibleFor` later (virtual time in tests). The window shows at most one banner;
// a new one replaces the old. Main thread only.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "ui/View.hpp"

namespace kelda::ui {

enum class BannerState { DroppingIn, Shown, FoldedAway };

class DropInBanner : public View {
 public:
  explicit DropInBanner(std::string text) : text(std::move(text)) {}
  ViewKind kind() const override { return ViewKind::Banner; }

  static constexpr std::chrono::seconds kDefaultVisibleFor{3};

  // Shows a banner with `text` in the current window: it drops in on the next loop pass and
  // folds away `visibleFor` after that. Returns the banner.
  static std::shared_ptr<DropInBanner> show(
      std::string text, std::chrono::nanoseconds visibleFor = kDefaultVisibleFor);

  std::string text;
  BannerState state = BannerState::DroppingIn;
};

}  // namespace kelda::ui

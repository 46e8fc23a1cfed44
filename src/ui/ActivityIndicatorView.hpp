// ActivityIndicatorView: a spinning activity indicator. Main thread only.
#pragma once

#include "ui/View.hpp"

namespace kelda::ui {

enum class ActivityIndicatorStyle { WhiteLarge, White, Gray };

class ActivityIndicatorView : public View {
 public:
  ActivityIndicatorView() = default;
  explicit ActivityIndicatorView(ActivityIndicatorStyle style) : style(style) {}
  ViewKind kind() const override { return ViewKind::ActivityIndicator; }

  void startAnimating() { animating = true; }
  void stopAnimating() { animating = false; }
  bool isAnimating() const { return animating; }

  ActivityIndicatorStyle style = ActivityIndicatorStyle::White;
  bool animating = false;
  bool hidesWhenStopped = true;
};

}  // namespace kelda::ui

// RatingView: a row of rating stars (0 to maximum, halves allowed). Main thread only.
#pragma once

#include "ui/View.hpp"

namespace kelda::ui {

class RatingView : public View {
 public:
  RatingView() = default;
  explicit RatingView(double rating) : rating(rating) {}
  ViewKind kind() const override { return ViewKind::Rating; }

  double rating = 0;
  int maximum = 5;
};

}  // namespace kelda::ui

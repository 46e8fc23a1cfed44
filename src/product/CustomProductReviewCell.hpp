// CustomProductReviewCell: one shopper's review: the title, the text, "By %@ from %@ " with the
// reviewer and their place, "on %@" with the date, and five stars from "reviewRating". In the
// review list the title is cut to 60 characters and the text to 150 (each followed by "...");
// the full-review screen shows the same cell whole. Main thread only.
#pragma once

#include <memory>

#include "json/Value.hpp"
#include "ui/Label.hpp"
#include "ui/RatingView.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::product {

class CustomProductReviewCell : public ui::TableViewCell {
 public:
  static constexpr std::size_t kTitleLimit = 60;
  static constexpr std::size_t kTextLimit = 150;

  enum class Form { Cut, Whole };
  CustomProductReviewCell(const json::Value& review, Form form);

  const ui::Label& title() const { return *title_; }
  const ui::Label& text() const { return *text_; }
  const ui::RatingView& stars() const { return *stars_; }

 private:
  std::shared_ptr<ui::Label> title_;
  std::shared_ptr<ui::Label> text_;
  std::shared_ptr<ui::RatingView> stars_;
};

}  // namespace kelda::product

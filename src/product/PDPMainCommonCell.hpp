// PDPMainCommonCell: the product cell at the top of a product page's main page: the picture
// (loaded from "imageSource", "noImage2.png" until it comes or when none comes), the name, the
// description, the rating stars with the number of reviews, and the price lines of
// ProductPrices. Main thread only.
#pragma once

#include <memory>

#include "json/Value.hpp"
#include "ui/ImageView.hpp"
#include "ui/Label.hpp"
#include "ui/RatingView.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::product {

class PDPMainCommonCell : public ui::TableViewCell {
 public:
  static constexpr const char* kPlaceholder = "noImage2.png";

  PDPMainCommonCell();
  // Shows `product` ("data"[0] of a product answer) and starts the picture's load.
  void fill(const json::Value& product);

  const ui::ImageView& picture() const { return *picture_; }
  const ui::RatingView& stars() const { return *stars_; }

 private:
  std::shared_ptr<ui::ImageView> picture_;
  std::shared_ptr<ui::Label> name_;
  std::shared_ptr<ui::Label> description_;
  std::shared_ptr<ui::RatingView> stars_;
  std::shared_ptr<ui::Label> reviewCount_;
  std::shared_ptr<ui::Label> newPrice_;
  std::shared_ptr<ui::Label> oldPrice_;
  std::shared_ptr<ui::Label> everydayValue_;
};

// True for a rating the stars can show: a multiple of 0.5 from 0 to 5.
bool isStarRating(double rating);

}  // namespace kelda::product

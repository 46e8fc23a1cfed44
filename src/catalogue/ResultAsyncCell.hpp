// ResultAsyncCell: one row of a result list: the product's picture (loaded asynchronously,
// with a spinner until it arrives), description, two price lines, rating stars and the
// "more colours" and "find it in store" notes, as ResultRow describes them.
//
// Made by ResultViewController for one section and kept by its table until the next reload.
// Main thread only; image callbacks reach it through a weak reference, so a cell that has gone
// away gets none.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/ResultRow.hpp"
#include "json/Value.hpp"
#include "support/Image.hpp"
#include "ui/ActivityIndicatorView.hpp"
#include "ui/Button.hpp"
#include "ui/ImageView.hpp"
#include "ui/Label.hpp"
#include "ui/RatingView.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::catalogue {

class ResultAsyncCell : public ui::TableViewCell {
 public:
  // A cell for the product of `section` (reuse identifier "MyIdentifier %d").
  explicit ResultAsyncCell(int section);

  // Shows `product` (a product dictionary of a result answer) and starts its image load.
  void fill(const json::Value& product);
  // The image load finished: shows the picture (the loader's placeholder when nothing came).
  void imageLoaded(const support::Image& image);

  // Runs when the picture is tapped (the list opens the product without the availability test).
  std::function<void()> onImageTap;

  const ResultRow& row() const { return row_; }
  const ui::ImageView& image() const { return *image_; }
  const ui::ActivityIndicatorView& spinner() const { return *spinner_; }
  double shownRating() const { return stars_->rating; }
  ui::Button& imageButton() { return *imageButton_; }

 private:
  void build();
  void showPriceLine(const PriceLine& line, ui::Label& label, ui::Label& price);
  void startImageLoad();

  ResultRow row_;
  std::shared_ptr<ui::ImageView> image_;
  std::shared_ptr<ui::Button> imageButton_;
  std::shared_ptr<ui::ActivityIndicatorView> spinner_;
  std::shared_ptr<ui::Label> description_;
  std::shared_ptr<ui::Label> originalLabel_;
  std::shared_ptr<ui::Label> originalPrice_;
  std::shared_ptr<ui::Label> currentLabel_;
  std::shared_ptr<ui::Label> currentPrice_;
  std::shared_ptr<ui::RatingView> stars_;
  std::shared_ptr<ui::Label> moreColors_;
  std::shared_ptr<ui::Label> findInStore_;
};

}  // namespace kelda::catalogue

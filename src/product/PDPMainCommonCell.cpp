#include "product/PDPMainCommonCell.hpp"

#include <cmath>

#include "product/PictureLoad.hpp"
#include "product/ProductPrices.hpp"

namespace kelda::product {

bool isStarRating(double rating) {
  return rating >= 0 && rating <= 5 && rating * 2 == std::floor(rating * 2);
}

PDPMainCommonCell::PDPMainCommonCell()
    : ui::TableViewCell(ui::CellStyle::Default, "PDPMainCommonCell") {
  picture_ = add<ui::ImageView>(kPlaceholder);
  picture_->identifier = "product";
  name_ = add<ui::Label>("", ui::TextStyle::Bold);
  name_->numberOfLines = 0;
  description_ = add<ui::Label>();
  description_->numberOfLines = 0;
  stars_ = add<ui::RatingView>();
  reviewCount_ = add<ui::Label>("", ui::TextStyle::Small);
  newPrice_ = add<ui::Label>("", ui::TextStyle::Bold);
  oldPrice_ = add<ui::Label>();
  everydayValue_ = add<ui::Label>("Everyday Value", ui::TextStyle::Small);
  selectionStyle = ui::CellSelectionStyle::None;
}

void PDPMainCommonCell::fill(const json::Value& product) {
  name_->text = product["prodName"].str();
  description_->text = product["prodDesc"].str();
  // A rating off the half-star steps leaves the stars as they were.
  if (const double rating = product["rating"].doubleValue(); isStarRating(rating)) {
    stars_->rating = rating;
  }
  const json::Value reviews = product["reviewCount"];
  reviewCount_->text = reviews.isAbsent() ? "" : "(" + reviews.describe() + ")";
  const ProductPrices prices = ProductPrices::forProduct(product);
  newPrice_->text = prices.newLine.value_or("");
  newPrice_->hidden = !prices.newLine;
  oldPrice_->text = prices.oldLine.value_or("");
  oldPrice_->hidden = !prices.oldLine;
  oldPrice_->textColor = prices.oldInRed ? ui::Color::rgb(1, 0, 0) : ui::Color::black();
  everydayValue_->hidden = !prices.everydayValue;
  loadPicture(picture_, product["imageSource"].str(), kPlaceholder);
}

}  // namespace kelda::product

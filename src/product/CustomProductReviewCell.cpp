#include "product/CustomProductReviewCell.hpp"

#include "product/PDPMainCommonCell.hpp"
#include "product/TextCut.hpp"

namespace kelda::product {

CustomProductReviewCell::CustomProductReviewCell(const json::Value& review, Form form)
    : ui::TableViewCell(ui::CellStyle::Default, "CustomProductReviewCell") {
  const bool cut = form == Form::Cut;
  const std::string title = review["reviewTitle"].str();
  const std::string text = review["reviewDesc"].str();
  title_ = add<ui::Label>(cut ? cutText(title, kTitleLimit) : title, ui::TextStyle::Bold);
  title_->numberOfLines = 0;
  stars_ = add<ui::RatingView>();
  // A rating off the half-star steps shows no stars rather than a wrong count.
  const double rating = review["reviewRating"].doubleValue();
  stars_->hidden = !isStarRating(rating);
  if (isStarRating(rating)) stars_->rating = rating;
  text_ = add<ui::Label>(cut ? cutText(text, kTextLimit) : text);
  text_->numberOfLines = 0;
  add<ui::Label>("By " + review["reviewer"].str() + " from " + review["reviewLocation"].str() + " ",
                 ui::TextStyle::Small);
  add<ui::Label>("on " + review["reviewDate"].str(), ui::TextStyle::Small);
  if (!cut) selectionStyle = ui::CellSelectionStyle::None;
  if (cut) accessoryType = ui::CellAccessory::DisclosureIndicator;
}

}  // namespace kelda::product

#include "product/CollectionChildProductCell.hpp"

#include <string>

namespace kelda::product {
namespace {

constexpr double kPictureSide = 60;

}  // namespace

CollectionChildProductCell::CollectionChildProductCell(const json::Value& child)
    : ui::TableViewCell(ui::CellStyle::Default, "CollectionChildProductCell") {
  picture_ = add<support::AsyncImageView>(ui::makeRect(0, 0, kPictureSide, kPictureSide));
  picture_->identifier = "child";
  add<ui::Label>(child["childProductName"].str(), ui::TextStyle::Bold)->numberOfLines = 0;
  const std::string price = child["childProductsalePrice"].str();
  if (!price.empty()) add<ui::Label>("$" + price);
  add<ui::Label>(kEverydayValue, ui::TextStyle::Small);
  accessoryType = ui::CellAccessory::DisclosureIndicator;
  const std::string image = child["childImageSource"].str();
  if (!image.empty()) picture_->loadImageFromURL(image);
}

}  // namespace kelda::product

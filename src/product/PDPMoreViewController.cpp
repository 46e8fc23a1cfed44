#include "product/PDPMoreViewController.hpp"

#include "gateway/TarnObjects.hpp"
#include "product/PDPZoomingImageCell.hpp"
#include "product/PictureLoad.hpp"

namespace kelda::product {
namespace {

constexpr const char* kThumbnailPlaceholder = "noImage1.png";

std::vector<std::string> texts(const json::Value& list) {
  std::vector<std::string> out;
  for (json::Value item : list.items()) out.push_back(item.str());
  return out;
}

}  // namespace

void PDPMoreViewController::showImage(std::string url) {
  shownImage_ = std::move(url);
  shownChosen_ = true;
  reloadRows();
}

TableRow PDPMoreViewController::thumbnailRow(const std::string& thumbnail,
                                             const std::string& full) {
  auto cell = std::make_shared<ui::TableViewCell>();
  auto picture = cell->add<ui::ImageView>(kThumbnailPlaceholder);
  loadPicture(picture, thumbnail, kThumbnailPlaceholder);
  if (full.empty()) return {cell, {}};
  return {cell, [this, full] { showImage(full); }};
}

std::vector<TableSection> PDPMoreViewController::buildSections() {
  const json::Value product =
      gateway::TarnObjects::sharedInstance().productDescriptionList()["data"][0];
  if (!shownChosen_) shownImage_ = product["imageSourceDetail"].str();
  TableSection zoom{"", {{std::make_shared<PDPZoomingImageCell>(shownImage_), {}}}, nullptr};
  TableSection views;
  const auto thumbnails = texts(product["additionalImagesThumbnail"]);
  const auto fulls = texts(product["additionalImages"]);
  const auto swatches = texts(product["swatches"]);
  const auto swatchFulls = texts(product["additionalImagesSwatch"]);
  // A thumbnail without a matching full picture is shown but opens nothing.
  for (std::size_t i = 0; i < thumbnails.size(); ++i) {
    views.rows.push_back(thumbnailRow(thumbnails[i], i < fulls.size() ? fulls[i] : ""));
  }
  for (std::size_t i = 0; i < swatches.size(); ++i) {
    views.rows.push_back(thumbnailRow(swatches[i], i < swatchFulls.size() ? swatchFulls[i] : ""));
  }
  std::vector<TableSection> sections{std::move(zoom)};
  if (!views.rows.empty()) sections.push_back(std::move(views));
  return sections;
}

}  // namespace kelda::product

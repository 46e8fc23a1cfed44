#include "product/CollectionPDPDetailsViewController.hpp"

#include <memory>

#include "ui/Button.hpp"

namespace kelda::product {

namespace {
constexpr int kMoreImagesPage = 3;
}  // namespace

void CollectionPDPDetailsViewController::moreViews() {
  container().applyingNewIndex(kMoreImagesPage);
}

std::vector<TableSection> CollectionPDPDetailsViewController::buildSections() {
  TableSection attributes{answer()["data"][0]["prodName"].str(), {}, tabStrip()};
  for (json::Value attribute : answer()["attributes"].items()) {
    if (!attribute.isString()) continue;
    auto row = std::make_shared<ui::TableViewCell>();
    row->textLabel().text = attribute.str();
    row->textLabel().numberOfLines = 0;
    row->selectionStyle = ui::CellSelectionStyle::None;
    attributes.rows.push_back({row, {}});
  }
  std::vector<TableSection> sections{std::move(attributes)};
  for (TableSection& child : childSections()) sections.push_back(std::move(child));
  sections.push_back(
      {"", {}, std::make_shared<ui::Button>(kMoreViews, [this](ui::Button&) { moreViews(); })});
  return sections;
}

}  // namespace kelda::product

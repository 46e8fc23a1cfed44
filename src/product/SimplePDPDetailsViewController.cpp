#include "product/SimplePDPDetailsViewController.hpp"

#include "gateway/TarnObjects.hpp"
#include "product/ChoiceSection.hpp"
#include "product/PictureLoad.hpp"
#include "ui/Button.hpp"

namespace kelda::product {

TableSection SimplePDPDetailsViewController::pictureSection(const json::Value& product) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->selectionStyle = ui::CellSelectionStyle::None;
  auto picture = cell->add<ui::ImageView>(kPlaceholder);
  picture->identifier = "detail";
  loadPicture(picture, product["imageSourceDetail"].str(), kPlaceholder);
  cell->add<ui::Label>(product["prodName"].str(), ui::TextStyle::Bold);
  TableSection section{"", {{cell, {}}}, nullptr};
  for (json::Value attribute : product["attributes"].items()) {
    if (!attribute.isString()) continue;
    auto row = std::make_shared<ui::TableViewCell>();
    row->textLabel().text = attribute.str();
    row->textLabel().numberOfLines = 0;
    row->selectionStyle = ui::CellSelectionStyle::None;
    section.rows.push_back({row, {}});
  }
  return section;
}

std::vector<TableSection> SimplePDPDetailsViewController::buildSections() {
  const json::Value answer = gateway::TarnObjects::sharedInstance().productDescriptionList();
  const json::Value product = answer["data"][0];
  std::vector<TableSection> sections;
  sections.push_back(pictureSection(product));
  sections.push_back(choiceSection(container_, kPage, answer, "CLICK TO CALL"));
  if (auto shipping = shippingSection(container_, kPage, product)) {
    sections.push_back(std::move(*shipping));
  }
  sections.back().footer = std::make_shared<ui::Button>(
      "MORE VIEWS & COLORS", [this](ui::Button&) { container_.applyingNewIndex(3); });
  return sections;
}

}  // namespace kelda::product

#include "product/SimpleMainViewController.hpp"

#include "gateway/TarnObjects.hpp"
#include "product/ChoiceSection.hpp"
#include "product/PDPMainCommonCell.hpp"

namespace kelda::product {

std::vector<TableSection> SimpleMainViewController::buildSections() {
  const json::Value answer = gateway::TarnObjects::sharedInstance().productDescriptionList();
  const json::Value product = answer["data"][0];
  auto cell = std::make_shared<PDPMainCommonCell>();
  cell->fill(product);
  std::vector<TableSection> sections;
  sections.push_back({"", {{cell, [this] { container_.applyingNewIndex(1); }}}, nullptr});
  sections.push_back(choiceSection(container_, kPage, answer, "CALL NOW"));
  if (auto shipping = shippingSection(container_, kPage, product)) {
    sections.push_back(std::move(*shipping));
  }
  return sections;
}

}  // namespace kelda::product

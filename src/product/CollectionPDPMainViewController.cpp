#include "product/CollectionPDPMainViewController.hpp"

#include <memory>

#include "product/PDPMainCommonCell.hpp"

namespace kelda::product {

namespace {
constexpr int kDetailsPage = 1;
}  // namespace

std::vector<TableSection> CollectionPDPMainViewController::buildSections() {
  auto summary = std::make_shared<PDPMainCommonCell>();
  summary->fill(answer()["data"][0]);
  std::vector<TableSection> sections{
      {"", {{summary, [this] { container().applyingNewIndex(kDetailsPage); }}}, tabStrip()}};
  for (TableSection& child : childSections()) sections.push_back(std::move(child));
  return sections;
}

}  // namespace kelda::product

#include "product/CollectionPageController.hpp"

#include <memory>

#include "gateway/TarnObjects.hpp"
#include "platform/TaskAndReply.hpp"
#include "product/CollectionChildProductCell.hpp"
#include "product/ProductRequests.hpp"
#include "ui/Button.hpp"

namespace kelda::product {

CollectionPageController::CollectionPageController(CollectionViewsDelegate& container,
                                                   CollectionKind kind, int page)
    : container_(container), kind_(kind), page_(page) {}

std::vector<TableSection> CollectionPageController::childSections() {
  std::string tab;
  if (kind_ == CollectionKind::Tabbed) {
    const std::vector<std::string> tabs = collectionTabNames(answer());
    if (selectedTab_ >= static_cast<int>(tabs.size())) return {};
    tab = tabs[static_cast<std::size_t>(selectedTab_)];
  }
  std::vector<TableSection> sections;
  int index = 0;
  for (const json::Value& child : collectionChildren(answer(), kind_, tab)) {
    auto cell = std::make_shared<CollectionChildProductCell>(child);
    sections.push_back({"", {{cell, [this, index, child] { openChild(index, child); }}}, nullptr});
    ++index;
  }
  return sections;
}

std::shared_ptr<ui::View> CollectionPageController::tabStrip() {
  if (kind_ != CollectionKind::Tabbed) return nullptr;
  const std::vector<std::string> tabs = collectionTabNames(answer());
  if (tabs.empty()) return nullptr;
  auto strip = std::make_shared<ui::View>();
  strip->identifier = "tabs";
  for (std::size_t i = 0; i < tabs.size(); ++i) {
    auto button =
        strip->add<ui::Button>(tabs[i], [this, i](ui::Button&) { selectTab(static_cast<int>(i)); });
    button->selected = static_cast<int>(i) == selectedTab_;
  }
  return strip;
}

void CollectionPageController::selectTab(int index) {
  if (index < 0 || index >= static_cast<int>(collectionTabNames(answer()).size())) return;
  tabChanged_ = index != selectedTab_;
  selectedTab_ = index;
  reloadRows();
}

void CollectionPageController::openChild(int index, const json::Value& child) {
  selectedIndex_ = index;
  auto& state = gateway::TarnObjects::sharedInstance();
  const std::string productId = child["childProductId"].str();
  const std::string categoryId = state.coreMetricsCategoryId().str();
  const std::string categoryFlag = state.categoryFlag().str();
  overlay_.show();
  platform::postTaskAndReply(
      platform::weakFrom(this),
      [productId, categoryId, categoryFlag] {
        return ProductRequests::resultForProductDescription(productId, categoryId, categoryFlag);
      },
      [](CollectionPageController& page, gateway::RequestStatus status) {
        page.childArrived(status);
      });
}

void CollectionPageController::childArrived(gateway::RequestStatus status) {
  overlay_.hide();
  // Only the child's own answer opens a page: without it the collection stays as it was.
  if (status != gateway::RequestStatus::Answered) return;
  container_.pushingSimplePDPViewsController(page_);
}

}  // namespace kelda::product

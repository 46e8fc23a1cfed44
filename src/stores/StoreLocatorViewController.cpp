#include "stores/StoreLocatorViewController.hpp"

#include <array>

#include "gateway/TarnServerAPIs.hpp"
#include "stores/SearchStoreViewController.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::stores {
namespace {

constexpr std::array<const char*, 3> kRows{"view kelda's stores", "events at my kelda's",
                                           "instore savings Pass"};
constexpr int kSavingsPassSection = 2;

}  // namespace

StoreLocatorViewController::StoreLocatorViewController() {
  setTitle("Stores");
}

ui::TableView& StoreLocatorViewController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> StoreLocatorViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void StoreLocatorViewController::viewWillAppear(bool) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
}

std::shared_ptr<ui::TableViewCell> StoreLocatorViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->textLabel().text = kRows.at(static_cast<std::size_t>(indexPath.section));
  cell->accessoryType = ui::CellAccessory::DisclosureIndicator;
  return cell;
}

void StoreLocatorViewController::didSelectRowAtIndexPath(ui::TableView& table,
                                                         ui::IndexPath indexPath) {
  table.deselectRowAtIndexPath(indexPath);
  if (!search_) search_ = std::make_shared<SearchStoreViewController>();
  search_->flagValue = indexPath.section == kSavingsPassSection;
  if (auto* navigation = navigationController()) navigation->pushViewController(search_, true);
}

}  // namespace kelda::stores

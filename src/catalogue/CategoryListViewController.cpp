#include "catalogue/CategoryListViewController.hpp"

#include <utility>

#include "catalogue/ScreenParts.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::catalogue {

CategoryListViewController::CategoryListViewController(std::string nameKey, bool bold,
                                                       std::string backTitle)
    : nameKey_(std::move(nameKey)), bold_(bold), backTitle_(std::move(backTitle)) {}

ui::TableView& CategoryListViewController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> CategoryListViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = addTable(*root, *this);
  if (!backTitle_.empty()) setPopButton(*this, backTitle_);
  return root;
}

void CategoryListViewController::viewWillAppear(bool) {
  table_->reloadData();
}

int CategoryListViewController::numberOfRowsInSection(ui::TableView&, int) {
  const json::Value list = categories();
  return list.isArray() ? static_cast<int>(list.size()) : 0;
}

std::shared_ptr<ui::TableViewCell> CategoryListViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  auto cell =
      std::make_shared<ui::TableViewCell>(ui::CellStyle::Default, reuseIdentifier(indexPath));
  cell->textLabel().text = categories()[static_cast<std::size_t>(indexPath.row)][nameKey_].str();
  if (bold_) cell->textLabel().style = ui::TextStyle::Bold;
  cell->accessoryType = ui::CellAccessory::DisclosureIndicator;
  return cell;
}

void CategoryListViewController::didSelectRowAtIndexPath(ui::TableView& tableView,
                                                         ui::IndexPath indexPath) {
  const json::Value category = categories()[static_cast<std::size_t>(indexPath.row)];
  gateway::guarded("-[CategoryListViewController tableView:didSelectRowAtIndexPath:]",
                   [&] { categoryTapped(category); });
  tableView.deselectRowAtIndexPath(indexPath, true);
}

}  // namespace kelda::catalogue

#include "bag/SectionedTable.hpp"

#include <utility>

#include "gateway/ExceptionGuard.hpp"
#include "ui/Button.hpp"
#include "ui/Label.hpp"

namespace kelda::bag {

ui::TableView& SectionedTable::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> SectionedTable::loadView() {
  auto root = std::make_shared<ui::View>();
  if (auto header = headerView()) root->addSubview(header);
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void SectionedTable::reloadRows() {
  view();
  sections_ = buildSections();
  table_->reloadData();
}

const TableSection* SectionedTable::section(int index) const {
  if (index < 0 || index >= static_cast<int>(sections_.size())) return nullptr;
  return &sections_[static_cast<std::size_t>(index)];
}

int SectionedTable::numberOfSectionsInTableView(ui::TableView&) {
  return static_cast<int>(sections_.size());
}

int SectionedTable::numberOfRowsInSection(ui::TableView&, int index) {
  const TableSection* s = section(index);
  return s != nullptr ? static_cast<int>(s->rows.size()) : 0;
}

std::shared_ptr<ui::TableViewCell> SectionedTable::cellForRowAtIndexPath(ui::TableView&,
                                                                         ui::IndexPath indexPath) {
  const TableSection* s = section(indexPath.section);
  if (s == nullptr || indexPath.row < 0 || indexPath.row >= static_cast<int>(s->rows.size())) {
    return nullptr;
  }
  return s->rows[static_cast<std::size_t>(indexPath.row)].cell;
}

std::string SectionedTable::titleForHeaderInSection(ui::TableView&, int index) {
  const TableSection* s = section(index);
  return s != nullptr ? s->title : std::string();
}

std::shared_ptr<ui::View> SectionedTable::viewForFooterInSection(ui::TableView&, int index) {
  const TableSection* s = section(index);
  return s != nullptr ? s->footer : nullptr;
}

void SectionedTable::didSelectRowAtIndexPath(ui::TableView& tableView, ui::IndexPath indexPath) {
  tableView.deselectRowAtIndexPath(indexPath, true);
  const TableSection* s = section(indexPath.section);
  if (s == nullptr || indexPath.row < 0 || indexPath.row >= static_cast<int>(s->rows.size())) {
    return;
  }
  // The action may rebuild the rows: run a copy.
  std::function<void()> tapped = s->rows[static_cast<std::size_t>(indexPath.row)].tapped;
  if (tapped) gateway::guarded("-[SectionedTable tableView:didSelectRowAtIndexPath:]", tapped);
}

std::shared_ptr<ui::TableViewCell> textsCell(const std::vector<std::string>& texts) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->selectionStyle = ui::CellSelectionStyle::None;
  for (const auto& text : texts) cell->add<ui::Label>(text);
  return cell;
}

std::shared_ptr<ui::TableViewCell> valueCell(const std::string& label, const std::string& value) {
  auto cell = std::make_shared<ui::TableViewCell>(ui::CellStyle::Value1);
  cell->selectionStyle = ui::CellSelectionStyle::None;
  cell->textLabel().text = label;
  cell->detailTextLabel().text = value;
  return cell;
}

std::shared_ptr<ui::View> buttonFooter(
    const std::vector<std::pair<std::string, std::function<void()>>>& buttons) {
  auto footer = std::make_shared<ui::View>();
  for (const auto& [title, action] : buttons) {
    footer->add<ui::Button>(title, [action = action](ui::Button&) {
      if (action) action();
    });
  }
  return footer;
}

}  // namespace kelda::bag

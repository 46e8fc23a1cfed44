#include "account/AccountListViewController.hpp"

#include "account/AccountEdit.hpp"
#include "account/FormCells.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "platform/TaskAndReply.hpp"
#include "support/PoliciesViewController.hpp"
#include "support/RetailerPages.hpp"
#include "ui/Button.hpp"
#include "ui/Label.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::account {
namespace {

int countOf(const json::Value& list) {
  return static_cast<int>(list.items().size());
}

}  // namespace

AccountListViewController::AccountListViewController(Texts texts) : texts_(texts) {
  setTitle("My Account");
}

ui::TableView& AccountListViewController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> AccountListViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void AccountListViewController::reload() {
  const json::Value list = entries();
  radios_.clear();
  selectedIndex_ = 0;
  int index = 0;
  for (const json::Value& entry : list.items()) {
    auto radio = std::make_shared<ui::RadioButton>("", isDefault(entry));
    radio->identifier = "primary." + std::to_string(index);
    radio->group = "primary";
    radio->action = [this, index](ui::RadioButton&) { check(index); };
    if (radio->selected) selectedIndex_ = index;
    radios_.push_back(std::move(radio));
    ++index;
  }
  tableView().reloadData();
}

int AccountListViewController::policySection() const {
  return static_cast<int>(radios_.size());
}

int AccountListViewController::numberOfSectionsInTableView(ui::TableView&) {
  return radios_.empty() ? 1 : policySection() + 2;
}

int AccountListViewController::numberOfRowsInSection(ui::TableView&, int) {
  return radios_.empty() ? 2 : 1;
}

std::string AccountListViewController::titleForHeaderInSection(ui::TableView&, int section) {
  return !radios_.empty() && section == 0 ? texts_.heading : "";
}

std::shared_ptr<ui::TableViewCell> AccountListViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  if (radios_.empty()) {
    return indexPath.row == 0 ? captionCell(texts_.emptyHeading) : captionCell(texts_.emptyText, 0);
  }
  if (indexPath.section == policySection()) return policyCell("Shipping policy.");
  if (indexPath.section > policySection()) return policyCell("Return policy.");
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->selectionStyle = ui::CellSelectionStyle::None;
  for (const std::string& line : linesOf(entries()[indexPath.section])) cell->add<ui::Label>(line);
  cell->addSubview(radios_[static_cast<std::size_t>(indexPath.section)]);
  return cell;
}

std::shared_ptr<ui::View> AccountListViewController::viewForFooterInSection(ui::TableView&,
                                                                            int section) {
  if (radios_.empty() || section >= policySection()) return nullptr;
  auto button = [section](const char* title, const char* name, auto action) {
    auto b = std::make_shared<ui::Button>(title, [action](ui::Button&) { action(); });
    b->identifier = std::string(name) + "." + std::to_string(section);
    return b;
  };
  auto edit = button("EDIT", "edit", [this, section] { this->edit(section); });
  auto remove = button("REMOVE", "remove", [this, section] { this->remove(section); });
  if (section + 1 < policySection()) return buttonBar({edit, remove});
  auto bar = buttonBar({remove, edit});
  bar->add<ui::Label>("Select and mark a shipping address as primary address")->numberOfLines = 0;
  auto mark = std::make_shared<ui::Button>(texts_.markButton,
                                           [this](ui::Button&) { markAsPrimaryAddres(); });
  mark->identifier = "markAsPrimary";
  bar->addSubview(mark);
  return bar;
}

void AccountListViewController::didSelectRowAtIndexPath(ui::TableView& table,
                                                        ui::IndexPath indexPath) {
  table.deselectRowAtIndexPath(indexPath);
  if (radios_.empty() || indexPath.section < policySection()) return;
  support::openRetailerPage(*this, indexPath.section == policySection()
                                       ? support::kShippingPolicyPath
                                       : support::kReturnPolicyPath);
}

void AccountListViewController::check(int index) {
  for (auto& radio : radios_) radio->selected = false;
  if (index < 0 || index >= static_cast<int>(radios_.size())) return;
  radios_[static_cast<std::size_t>(index)]->selected = true;
  selectedIndex_ = index;
  isPrimaryChanged_ = true;
  tableView().reloadData();
}

void AccountListViewController::markAsPrimaryAddres() {
  const json::Value list = entries();
  if (selectedIndex_ >= countOf(list)) return;
  isPrimaryChanged_ = false;
  runRequest(markAsPrimaryRequest(list[selectedIndex_]));
}

void AccountListViewController::remove(int index) {
  const json::Value list = entries();
  if (index < 0 || index >= countOf(list)) return;
  selectedIndex_ = index;
  runRequest(removeRequest(list[index]));
}

void AccountListViewController::runRequest(Request request) {
  gateway::guarded("-[AccountListViewController runRequest]", [&] {
    if (!storedLoginPair()) return;
    overlay_.show();
    platform::postTaskAndReply(platform::weakFrom(this), std::move(request),
                               [](AccountListViewController& screen, AccountOutcome outcome) {
                                 screen.answered(outcome);
                               });
  });
}

void AccountListViewController::answered(AccountOutcome outcome) {
  overlay_.hide();
  tellIfFailed(outcome);
  reload();
}

}  // namespace kelda::account

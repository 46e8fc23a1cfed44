#include "catalogue/RefinementValues.hpp"

#include <utility>

#include "catalogue/RefineSearchViewController.hpp"
#include "catalogue/ScreenParts.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnObjects.hpp"
#include "platform/NotificationCenter.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::catalogue {
namespace {

using gateway::TarnObjects;

// oldIndex while no value row is marked.
constexpr long long kNoValueRow = 10000;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

// The refinement a chosen entry sends: "Another Brand" and "Another Price" send the id of the
// browse list's element at the row, the others the entry itself under their own name.
json::Value chosenRefinement(const std::string& key, int row, const std::string& entry) {
  const auto index = static_cast<std::size_t>(row);
  if (key == RefinementValues::kAnotherPrice) {
    return json::Value::object(
        {{"PRICE", state().subCategoryDictionary()["price"][index]["col3id"].str()}});
  }
  if (key == RefinementValues::kAnotherBrand) {
    return json::Value::object(
        {{"BRAND", state().subCategoryDictionary()["brand"][index]["col2id"].str()}});
  }
  return json::Value::object({{key, entry}});
}

}  // namespace

ui::TableView& RefinementValues::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> RefinementValues::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = addTable(*root, *this);
  setPopButton(*this, "Back");
  return root;
}

void RefinementValues::viewWillAppear(bool) {
  table_->reloadData();
}

int RefinementValues::numberOfRowsInSection(ui::TableView&, int) {
  return static_cast<int>(state().refinementArray().size());
}

std::shared_ptr<ui::TableViewCell> RefinementValues::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->textLabel().text = state().refinementArray()[static_cast<std::size_t>(indexPath.row)].str();
  if (indexPath.row == state().oldIndex()) cell->accessoryType = ui::CellAccessory::Checkmark;
  return cell;
}

void RefinementValues::didSelectRowAtIndexPath(ui::TableView& tableView, ui::IndexPath indexPath) {
  gateway::guarded("-[RefinementValues tableView:didSelectRowAtIndexPath:]", [&] {
    const std::string entry =
        state().refinementArray()[static_cast<std::size_t>(indexPath.row)].str();
    // The marked value tapped again is un-chosen: its name is posted with null.
    const bool unchoose = indexPath.row == state().oldIndex();
    state().setOldIndex(unchoose ? kNoValueRow : indexPath.row);
    if (!unchoose) state().setRefinementString(entry);
    tableView.deselectRowAtIndexPath(indexPath, true);
    tableView.reloadData();
    json::Value refinement = chosenRefinement(key, indexPath.row, entry);
    if (unchoose)
      refinement = json::Value::object({{std::string(refinement.keyAt(0)), json::Value::null()}});
    platform::NotificationCenter::defaultCenter().postNotification(
        RefineSearchViewController::kUpdatedNotification, refinement);
    if (!unchoose) {
      state().setRefinementDictionary(state().refinementDictionary().with(key1, entry));
    }
    if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
  });
}

}  // namespace kelda::catalogue

#include "catalogue/RefineSearchViewController.hpp"

#include <utility>

#include "catalogue/NothingFoundAlert.hpp"
#include "catalogue/RefinementRequests.hpp"
#include "catalogue/RefinementValues.hpp"
#include "catalogue/ScreenParts.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/TaskAndReply.hpp"
#include "ui/BarButtonItem.hpp"
#include "ui/Button.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::catalogue {
namespace {

using gateway::RequestStatus;
using gateway::TarnObjects;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

constexpr long long kNoValueRow = 10000;

std::string selectText(const std::string& name) {
  return "Select " + name;
}

// The labels of one of the department's browse lists ("brand" or "price").
json::Value browseLabels(const char* list, const char* label) {
  std::vector<json::Value> labels;
  for (json::Value element : state().subCategoryDictionary()[list].items()) {
    labels.push_back(element[label].str());
  }
  return json::Value::array(std::move(labels));
}

// The row of `choice` in `choices`, or kNoValueRow.
long long rowOf(const json::Value& choices, const json::Value& choice) {
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].str() == choice.str()) return static_cast<long long>(i);
  }
  return kNoValueRow;
}

struct FilterResult {
  RequestStatus status;
  json::Value sent;
};

}  // namespace

RefineSearchViewController::RefineSearchViewController() {
  // Only the value list this screen opened hands values to it (every list has a screen of its
  // own, and all of them hear the notification).
  platform::NotificationCenter::defaultCenter().addObserver(
      kUpdatedNotification, this, [this](const platform::Notification& note) {
        if (valuesScreen_ && valuesScreen_->isOnScreen()) isRefineSearchUpdated(note.object);
      });
}

RefineSearchViewController::~RefineSearchViewController() {
  platform::NotificationCenter::defaultCenter().removeObserver(this);
}

ui::TableView& RefineSearchViewController::tableView() {
  view();
  return *table_;
}

void RefineSearchViewController::prepare(ResultList list, std::string id, std::string title,
                                         bool keepChoices) {
  const std::string key = std::to_string(static_cast<int>(list)) + ":" + id;
  const bool keep = keepChoices && key == listKey_;
  if (!keep) values = json::Value::object();
  buildRows(list);
  const json::Value previous = shown_;
  json::Value display = json::Value::object();
  for (const Row& row : rows_) {
    json::Value shown = previous[row.name];
    // A value still chosen stays on its row; every other row asks to be chosen.
    const bool stillChosen = keep && shown.isString() && shown.str() != selectText(row.name) &&
                             values.contains(row.sentName);
    display = display.with(row.name, stillChosen ? shown : json::Value(selectText(row.name)));
  }
  // A choice no row shows any more (the narrowed answer no longer offers it) is not sent again.
  json::Value kept = json::Value::object();
  for (const Row& row : rows_) {
    if (display[row.name].str() != selectText(row.name)) {
      kept = kept.with(row.sentName, values[row.sentName]);
    }
  }
  values = kept;
  shown_ = display;
  state().setRefinementDictionary(display);
  list_ = list;
  listKey_ = key;
  categoryId = std::move(id);
  setTitle(std::move(title));
  if (table_) table_->reloadData();
}

void RefineSearchViewController::buildRows(ResultList list) {
  rows_.clear();
  const json::Value answer = listAnswer(list);
  const json::Value params = answer["refinementParams"];
  for (std::size_t i = 0; i < params.size(); ++i) {
    const json::Value refinement = answer["refinement"][i];
    const std::string name = refinement["refinementName"].str();
    json::Value choices = refinement["refinementValues"];
    rows_.push_back(
        Row{params[i].str(), name, name, choices.isArray() ? choices : json::Value::array()});
  }
  // After a department browse: the department's other brands and prices.
  if (list == ResultList::Category) {
    rows_.push_back(Row{"Another Brand", RefinementValues::kAnotherBrand, "BRAND",
                        browseLabels("brand", "col2name")});
    rows_.push_back(Row{"Another Price", RefinementValues::kAnotherPrice, "PRICE",
                        browseLabels("price", "col3name")});
  }
}

std::shared_ptr<ui::View> RefineSearchViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = addTable(*root, *this, ui::TableViewStyle::Grouped);
  setPopButton(*this, "Back");
  auto clear = std::make_shared<ui::BarButtonItem>(kClearTitle, [this] { clearChoices(); });
  navigationItem().rightBarButtonItem = clear;
  return root;
}

void RefineSearchViewController::viewWillAppear(bool) {
  // Back from the value list with a value: its row shows the entry chosen there. The shared
  // display is then this screen's again (another list's screen may have used it meanwhile).
  if (valueReceived_) {
    const json::Value chosen = state().refinementDictionary()[valuesScreen_->key1];
    if (chosen.isString()) shown_ = shown_.with(valuesScreen_->key1, chosen);
    valueReceived_ = false;
  }
  state().setRefinementDictionary(shown_);
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
  table_->reloadData();
}

int RefineSearchViewController::numberOfRowsInSection(ui::TableView&, int) {
  return static_cast<int>(rows_.size());
}

std::shared_ptr<ui::TableViewCell> RefineSearchViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  const Row& row = rows_[static_cast<std::size_t>(indexPath.row)];
  auto cell = std::make_shared<ui::TableViewCell>(ui::CellStyle::Value1);
  cell->textLabel().text = row.name;
  const std::string shown = shown_[row.name].str();
  cell->detailTextLabel().text = shown;
  // A row still to be chosen reads grey, a chosen value blue.
  cell->detailTextLabel().textColor =
      shown == selectText(row.name) ? ui::Color::gray(0.5) : ui::Color::rgb(0.2, 0.3, 0.5);
  cell->accessoryType = ui::CellAccessory::DisclosureIndicator;
  return cell;
}

std::string RefineSearchViewController::titleForHeaderInSection(ui::TableView&, int) {
  return kSectionTitle;
}

std::shared_ptr<ui::View> RefineSearchViewController::viewForFooterInSection(ui::TableView&, int) {
  auto button = std::make_shared<ui::Button>("Filter", [this](ui::Button&) { filter(); });
  button->identifier = "filter";
  return button;
}

void RefineSearchViewController::didSelectRowAtIndexPath(ui::TableView& tableView,
                                                         ui::IndexPath indexPath) {
  gateway::guarded("-[RefineSearchViewController tableView:didSelectRowAtIndexPath:]", [&] {
    const Row& row = rows_.at(static_cast<std::size_t>(indexPath.row));
    state().setRefinementArray(row.choices);
    // The value list marks the value this row shows, if it shows one.
    state().setOldIndex(rowOf(row.choices, shown_[row.name]));
    if (!valuesScreen_) valuesScreen_ = std::make_shared<RefinementValues>();
    valuesScreen_->key = row.key;
    valuesScreen_->key1 = row.name;
    valuesScreen_->setTitle(title());
    state().setRefinementDictionary(shown_);
    pushScreen(*this, valuesScreen_);
  });
  tableView.deselectRowAtIndexPath(indexPath, true);
}

void RefineSearchViewController::isRefineSearchUpdated(const json::Value& entry) {
  for (auto [name, value] : entry.members()) {
    // A null value un-chooses the refinement.
    if (value.isNull()) {
      values = values.without(name);
    } else {
      values = values.with(name, value);
      if (name == "BRAND") state().setBrand1(value);
      if (name == "PRICE") state().setPrice1(value);
    }
    // A name is sent once: the rows that chose it before no longer show their choice.
    for (const Row& row : rows_) {
      if (row.sentName == name) shown_ = shown_.with(row.name, selectText(row.name));
    }
  }
  state().setRefinementDictionary(shown_);
  valueReceived_ = true;
  if (table_) table_->reloadData();
}

void RefineSearchViewController::clearChoices() {
  values = json::Value::object();
  for (const Row& row : rows_) shown_ = shown_.with(row.name, selectText(row.name));
  state().setRefinementDictionary(shown_);
  if (table_) table_->reloadData();
}

void RefineSearchViewController::filter() {
  gateway::guarded("-[RefineSearchViewController filter:]", [&] {
    overlay_.show();
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [list = list_, id = categoryId, chosen = values] {
          FilterResult result{RequestStatus::Failed, chosen};
          result.status = RefinementRequests::refine(list, id, result.sent);
          return result;
        },
        [](RefineSearchViewController& screen, FilterResult result) {
          screen.filterArrived(result.status, result.sent);
        });
  });
}

void RefineSearchViewController::filterArrived(RequestStatus status, const json::Value& sent) {
  overlay_.hide();
  // Without an answer the list keeps what it showed and the choices stay on screen.
  if (status == RequestStatus::NotSent) return;
  if (status == RequestStatus::Failed) {
    showNothingFoundAlert();
    return;
  }
  // Nothing chosen brought the list back un-narrowed: its pages are no longer refined.
  state().setRefineSearchFlagWithPageNumber(sent.empty() ? "0" : "1");
  if (onFiltered) onFiltered(sent);
  if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
}

}  // namespace kelda::catalogue

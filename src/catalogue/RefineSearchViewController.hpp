// RefineSearchViewController: the refinement screen of a result list. It lists the refinements
// the server offers with the list's answer ("refinementParams"; after a department browse also
// "Another Brand" and "Another Price" from the department's browse lists), each with the value
// chosen for it; a row opens the value list (RefinementValues), and "Filter" asks for the list
// narrowed by the chosen values and goes back to it. "Clear" drops every choice; "Filter" with
// nothing chosen brings the list back un-narrowed (its own first page).
//
// What is sent is what is shown: the choices belong to the list they were made for (opened for
// another list, or for a list that shows no refinement, the screen starts from no choice), and a
// refinement chosen through one row replaces what another row had chosen under the same name.
// Filtering the same list again keeps the choices its rows still show, and only those.
//
// Each result list creates one on first use and reuses it; the list calls prepare() before
// pushing it. Main thread only; the filter request runs on a worker.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/ResultLists.hpp"
#include "gateway/RequestStatus.hpp"
#include "json/Value.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::catalogue {

class RefinementValues;

class RefineSearchViewController : public ui::ViewController,
                                   public ui::TableViewDataSource,
                                   public ui::TableViewDelegate {
 public:
  static constexpr const char* kPageId = "mobile.refine.browse";
  static constexpr const char* kUpdatedNotification = "NotificationIsRefineSearchUpdated";
  static constexpr const char* kSectionTitle = "     Refine your results:";
  static constexpr const char* kClearTitle = "Clear";

  RefineSearchViewController();
  ~RefineSearchViewController() override;

  // Sets the screen up for `list` (the category id or search phrase `categoryId`, the list's
  // `title`): its rows from the list's answer and their shown values (the shared
  // refinementDictionary). The choices made earlier are kept only when `keepChoices` is set and
  // the list is the one they were made for.
  void prepare(ResultList list, std::string categoryId, std::string title, bool keepChoices);

  // The category id or search phrase the filter narrows.
  std::string categoryId;
  // The chosen values: refinement name -> value.
  json::Value values = json::Value::object();
  // Runs after an answered filter with the refinements the request sent (those the list's
  // further pages are asked with); the empty object when nothing was chosen and the list came
  // back un-narrowed.
  std::function<void(const json::Value& sent)> onFiltered;

  // "Filter": asks for the narrowed list and goes back to it; the screen stays (with the
  // connection or apology alert) when no answer comes.
  void filter();
  // A value chosen on the value list: {name: value}; {name: null} un-chooses it.
  void isRefineSearchUpdated(const json::Value& entry);
  // "Clear": no refinement chosen, every row asks to be chosen.
  void clearChoices();

  ui::TableView& tableView();
  std::shared_ptr<RefinementValues> refinementValues() const { return valuesScreen_; }

  // TableViewDataSource / TableViewDelegate.
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  std::string titleForHeaderInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::View> viewForFooterInSection(ui::TableView&, int section) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  // One row: the name shown, the value screen's key, the refinement name its value is sent
  // under, and the values it offers.
  struct Row {
    std::string name;
    std::string key;
    std::string sentName;
    json::Value choices;
  };
  void buildRows(ResultList list);
  void filterArrived(gateway::RequestStatus status, const json::Value& sent);

  std::vector<Row> rows_;
  ResultList list_ = ResultList::Category;
  std::string listKey_;
  // What each row shows (this screen's copy of the shared refinementDictionary).
  json::Value shown_ = json::Value::object();
  // A value came from the value list, which shows its entry on the row next.
  bool valueReceived_ = false;
  std::shared_ptr<ui::TableView> table_;
  std::shared_ptr<RefinementValues> valuesScreen_;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::catalogue

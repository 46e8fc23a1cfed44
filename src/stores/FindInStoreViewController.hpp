// FindInStoreViewController: which stores near a ZIP code, a city and state or the device's
// position hold one article ("Find In Store"). The article is shown at the top (picture,
// title, "$%@" price, and the colour and size when they were chosen); under it the search
// form, or, after an answer, one row per store with the article's availability there, a map,
// directions and a call, and a footer button "Return" back to the form.
//
// Opened from a product page with the chosen article:
//   navigation.pushViewController(stores::FindInStoreViewController::create(record));
// where `record` holds "Title", "Price", "Color" ("Select Color" when none was chosen), "Size"
// ("Select Size" likewise), "Image Data" (the picture's bytes) and "upcNumber" (the UPC
// searched for). Main thread only; requests run on workers and hand back through a weak
// reference, the position through the location controller.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gateway/RequestStatus.hpp"
#include "json/Value.hpp"
#include "stores/MyCLController.hpp"
#include "stores/StatePicker.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/Button.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/TextField.hpp"
#include "ui/ViewController.hpp"

namespace kelda::stores {

class FindInStoreViewController : public ui::ViewController,
                                  public ui::TableViewDataSource,
                                  public ui::TableViewDelegate,
                                  public MyCLControllerDelegate {
 public:
  static constexpr const char* kFormPageId = "mobile.search.store.csa";
  static constexpr const char* kResultsPageId = "mobile.results.store.csa";
  static constexpr const char* kNoStoreTitle = "Sorry !";
  static constexpr const char* kNoStoreMessage =
      "We're sorry, we couldn't find any store that matched your search term.";
  // pageFlag values.
  static constexpr int kSearchForm = 1;
  static constexpr int kResults = 2;

  explicit FindInStoreViewController(json::Value record);
  static std::shared_ptr<FindInStoreViewController> create(json::Value record);

  const json::Value& record() const { return record_; }
  int pageFlag() const { return pageFlag_; }
  // The stores of the answer shown (an array; empty on the form).
  const json::Value& stores() const { return stores_; }
  ui::TableView& tableView();
  ui::TextField& zipTextField();
  ui::TextField& cityTextField();
  ui::Button& stateButton();
  const std::string& stateTitle() const { return states_.stateTitle(); }

  // goAction1 (ZIP "Go"), goAction2 (city "Go"), the state button, goAction3 ("LOCATE NEARBY
  // STORE") and returnView ("Return").
  void goAction1();
  void goAction2();
  void chooseState();
  void goAction3();
  void returnView();

  void newLocationUpdate(const std::string& text) override;

  int numberOfSectionsInTableView(ui::TableView&) override;
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  void buildItemRow();
  void buildFormRows();
  void showPage(int pageFlag);
  void search(std::function<gateway::RequestStatus()> request);
  void endLocationWait();
  void searchEnded(gateway::RequestStatus status);
  std::shared_ptr<ui::TableViewCell> storeCell(const json::Value& store);

  json::Value record_;
  int pageFlag_ = kSearchForm;
  json::Value stores_ = json::Value::array();
  std::shared_ptr<ui::TableView> table_;
  std::shared_ptr<ui::TableViewCell> itemRow_;
  std::vector<std::shared_ptr<ui::TableViewCell>> formRows_;
  std::shared_ptr<ui::View> returnFooter_;
  std::shared_ptr<ui::TextField> zip_;
  std::shared_ptr<ui::TextField> city_;
  std::shared_ptr<ui::Button> state_;
  StatePicker states_;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::stores

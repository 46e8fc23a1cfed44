// SearchStoreViewController: the store search form ("Stores"): stores near a ZIP code, a city
// and state, or the device's position. In store mode an answer opens the store list (made on
// first use and reused); in savings-pass mode (`flagValue`) the ZIP and city searches ask for
// the place's savings pass and open the pass or the notice that there is none. The position
// search always asks for stores.
//
// Made once by the store locator menu and pushed again on each visit. Each appearance empties
// both fields and the state choice. Main thread only; requests run on workers and hand back
// through a weak reference, the position through the location controller.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gateway/RequestStatus.hpp"
#include "stores/MyCLController.hpp"
#include "stores/StatePicker.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/Button.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/TextField.hpp"
#include "ui/ViewController.hpp"

namespace kelda::stores {

class StoreListsViewController;

class SearchStoreViewController : public ui::ViewController,
                                  public ui::TableViewDataSource,
                                  public ui::TableViewDelegate,
                                  public MyCLControllerDelegate {
 public:
  static constexpr const char* kPageId = "mobile.store.info.locator";
  static constexpr const char* kNoStoresTitle = "No Stores!";
  static constexpr std::size_t kCityCharacters = 25;

  SearchStoreViewController();

  // YES: savings-pass mode; NO: store mode (set by the menu before each push).
  bool flagValue = false;

  ui::TextField& zipTextField();
  ui::TextField& cityTextField();
  ui::Button& stateButton();
  const std::string& stateTitle() const { return states_.stateTitle(); }
  const std::vector<std::string>& pickerViewArray() const { return states_.pickerViewArray(); }
  // The position of the last fix, as reported.
  const std::string& latitude() const { return latitude_; }
  const std::string& longitude() const { return longitude_; }
  std::shared_ptr<StoreListsViewController> storeListsView() const { return storeLists_; }

  // The form's actions: the two "Go" buttons, the state button and the locate button.
  void zipSearch();
  void citySearch();
  void chooseState();
  void locateNearbyStores();

  void newLocationUpdate(const std::string& text) override;

  int numberOfRowsInSection(ui::TableView&, int) override { return 3; }
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  void buildRows();
  void showStateTitle();
  void startSearch(bool savingsPass, std::function<gateway::RequestStatus()> request);
  void endLocationWait();
  void storeSearchEnded(gateway::RequestStatus status);
  void loadSavingPass(gateway::RequestStatus status);

  std::shared_ptr<ui::TableView> table_;
  std::vector<std::shared_ptr<ui::TableViewCell>> rows_;
  std::shared_ptr<ui::TextField> zip_;
  std::shared_ptr<ui::TextField> city_;
  std::shared_ptr<ui::Button> state_;
  StatePicker states_;
  std::string latitude_;
  std::string longitude_;
  std::shared_ptr<StoreListsViewController> storeLists_;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::stores

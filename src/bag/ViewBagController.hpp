// ViewBagController: the root screen of the "my bag" tab. It shows the bag lines with their
// quantities and prices, the totals the server computes for the whole bag, per-line promotions
// and availability problems; it changes quantities and deletes lines through the bag store,
// applies or removes one promotion code, and leads through sign-in to checkout.
//
// Main thread only; every request runs on a worker (postTaskAndReply). Totals are shown and
// checkout is offered only while the shared totals answer belongs to the bag on screen.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "bag/BagRequests.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/PickerView.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::account {
class LoginViewController;
}

namespace kelda::bag {

class CheckOutViewController;

class ViewBagController : public ui::ViewController,
                          public ui::TableViewDataSource,
                          public ui::TableViewDelegate {
 public:
  static constexpr int kBagTab = 2;
  static constexpr const char* kBagPageId = "mobile.shopping.bag";
  static constexpr const char* kEditPageId = "mobile.edit.bag";
  static constexpr const char* kEmptyBagText = "There are no items in your bag!";
  static constexpr const char* kUpdateBagMessage = "Please update your bag.";
  static constexpr const char* kInvalidPromoMessage = "Your promocode is invalid";
  static constexpr const char* kPromoRemovedMessage =
      "Your promocode is invalid as you have removed the item from the bag";
  static constexpr const char* kNoPromotionsMessage =
      "No promotion codes are available right now. Please try again later.";
  // How often and how long the promotion list is waited for.
  static constexpr int kPromoPollMilliseconds = 500;
  static constexpr int kPromoPollLimit = 20;

  ViewBagController();
  ~ViewBagController() override;

  // Actions.
  void edit();
  void update();
  void showQuantityPickerView(int line);
  void pickerDone(int quantity);
  void pickerCancel();
  void deleteLine(int line);
  void selectPromoCode();
  void removePromoCode();
  void continueCheckout();
  void goToCheckout();

  bool isEditing() const { return editButtonClicked_; }
  ui::TableView& tableView();
  const std::shared_ptr<CheckOutViewController>& checkOutViewController() const {
    return checkOut_;
  }

  // TableViewDataSource / TableViewDelegate.
  int numberOfSectionsInTableView(ui::TableView&) override;
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  bool canEditRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;
  void commitEditingStyle(ui::TableView&, ui::EditingStyle style, ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;
  std::shared_ptr<ui::View> viewForFooterInSection(ui::TableView&, int section) override;
  ui::EditingStyle editingStyleForRowAtIndexPath(ui::TableView&, ui::IndexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;
  void viewDidAppear(bool animated) override;

 private:
  // The bag as last read from the store.
  int lineCount() const;
  json::Value record(int line) const;
  // The line shown at a row of section 0 (-1 for the header or outside).
  int lineAtRow(int row) const;

  void updateRecordArray();
  void updatedBag();
  void sendTotals(bool promoPick);
  void totalsArrived(BagOutcome outcome, bool hadPromo, bool promoPick,
                     const json::Value& previousCode);
  void blankTotals();
  void setBadge();
  void enterEditMode();
  void leaveEditMode();
  bool anyLineNeedsUpdate() const;
  void pollPromotions(int pollsLeft);
  void showPromotionPicker();
  void promotionPicked(int row);
  void openProductPage(int line);

  std::shared_ptr<ui::TableViewCell> lineCell(int line);
  std::shared_ptr<ui::TableViewCell> totalsCell(int row);
  std::shared_ptr<ui::View> totalsFooter();

  std::shared_ptr<ui::TableView> table_;
  support::BusyOverlayHandle overlay_;
  std::mutex bagLock_;
  bool editButtonClicked_ = false;
  bool thisRowHasPromo_ = false;
  bool anyChangesInBagItems_ = false;
  int editRowNumber_ = -1;
  // UPC number → "Y" or "N" ("N": an availability problem not fixed yet).
  std::map<std::string, std::string> orderDictionary_;
  std::vector<bool> unavailableItems_;
  std::vector<json::Value> promoArray_;
  json::Value records_ = json::Value::array();
  std::shared_ptr<account::LoginViewController> loginViewController_;
  std::shared_ptr<CheckOutViewController> checkOut_;
};

}  // namespace kelda::bag

// OffersViewController: the root screen of the offers tab ("Offers"): an instruction row, then
// one row per current promotion with its name and its promotion code (the shared offerDetails,
// asked for again on every appearance; a failed request keeps the list and says so). Rows do
// nothing when tapped: codes are applied in the bag. The left button returns to the home tab.
//
// Created by the application delegate as the offers stack's root. Main thread only; the
// promotion request runs on a worker.
#pragma once

#include <memory>

#include "support/BusyOverlayHandle.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::catalogue {

class OffersViewController : public ui::ViewController,
                             public ui::TableViewDataSource,
                             public ui::TableViewDelegate {
 public:
  static constexpr const char* kInstruction =
      "Please choose an offer from the list below. Make sure you click on \"Get Promo Code\" "
      "when you are in checkout to apply this offer to your order.";
  static constexpr int kHomeTab = 0;
  // The alert when the promotion list could not be fetched (the list on screen stays).
  static constexpr const char* kFailedTitle = "Sorry !";
  static constexpr const char* kFailedMessage =
      "We're sorry, the current offers could not be loaded. Please try again later.";

  OffersViewController();

  ui::TableView& tableView();

  // TableViewDataSource.
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  void goHome();

  std::shared_ptr<ui::TableView> table_;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::catalogue

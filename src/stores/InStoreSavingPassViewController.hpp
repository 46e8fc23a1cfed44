// InStoreSavingPassViewController: the in-store savings pass of a place ("Stores"): the
// caption "instore savings pass", "Period of Validity:" with the pass's first and last days,
// the pass picture and "VIEW PASS DETAILS", which opens the pass document. A right-hand button
// returns to the store search to ask for another place.
//
// Made for each opening with the pass (the "data" of the answer). The picture loads through
// the image loader; a picture that cannot be loaded leaves its place empty. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "json/Value.hpp"
#include "ui/ImageView.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::stores {

class InStoreSavingPassViewController : public ui::ViewController,
                                        public ui::TableViewDataSource,
                                        public ui::TableViewDelegate {
 public:
  explicit InStoreSavingPassViewController(json::Value pass);

  const json::Value& pass() const { return pass_; }
  const std::string& savingsPassTitle() const { return savingsPassTitle_; }
  const std::string& validityPeriod() const { return validityPeriod_; }
  ui::TableView& tableView();
  ui::ImageView& passImage();

  // "VIEW PASS DETAILS": the pass document.
  void viewPassDetails();

  int numberOfRowsInSection(ui::TableView&, int) override { return 2; }
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  void loadPicture();

  json::Value pass_;
  std::string savingsPassTitle_;
  std::string validityPeriod_;
  std::shared_ptr<ui::TableView> table_;
  std::shared_ptr<ui::ImageView> picture_;
  bool pictureAsked_ = false;
};

}  // namespace kelda::stores

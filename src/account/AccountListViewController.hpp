// AccountListViewController: what the wallet and the address book lists share. One section per
// entry of a stored list (a card, a shipping address), each one row of text lines with a radio
// button that is filled for the default entry; EDIT and REMOVE under every entry, and under the
// last one the line and button that make the chosen entry the default; then the shipping and
// return policy rows. Without entries: one section that says what is missing.
//
// REMOVE and MARK AS PRIMARY run their request on a worker behind the busy overlay and then
// redraw from the stored lists, which only a confirmed answer changes. Subclasses name the
// lists, the texts and the requests. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "account/AccountOutcome.hpp"
#include "json/Value.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/RadioButton.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::account {

class AccountListViewController : public ui::ViewController,
                                  public ui::TableViewDataSource,
                                  public ui::TableViewDelegate {
 public:
  ui::TableView& tableView();

  // The radio button of entry `index` (`check:`): it alone is filled and becomes the choice.
  void check(int index);
  // Sends the request that makes the chosen entry the default (`markAsPrimaryAddres:`).
  void markAsPrimaryAddres();
  // Sends the request that deletes entry `index` (`remove:`); no question is asked.
  void remove(int index);
  // Opens the edit screen for entry `index` (`edit:`).
  virtual void edit(int index) = 0;

  int selectedIndex() const { return selectedIndex_; }
  bool isPrimaryChanged() const { return isPrimaryChanged_; }

  int numberOfSectionsInTableView(ui::TableView&) override;
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::string titleForHeaderInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  std::shared_ptr<ui::View> viewForFooterInSection(ui::TableView&, int section) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  struct Texts {
    const char* heading;       // over the first entry ("my wallet")
    const char* emptyHeading;  // "billing address information:"
    const char* emptyText;     // what is needed to make a purchase
    const char* markButton;    // "MARK AS PRIMARY BILLING ADDRESS"
  };
  explicit AccountListViewController(Texts texts);

  // The stored list and its default entry.
  virtual json::Value entries() const = 0;
  virtual bool isDefault(const json::Value& entry) const = 0;
  // The text lines of one entry, top to bottom.
  virtual std::vector<std::string> linesOf(const json::Value& entry) const = 0;
  // The requests for one entry, made here and run on a worker.
  using Request = std::function<AccountOutcome()>;
  virtual Request markAsPrimaryRequest(const json::Value& entry) const = 0;
  virtual Request removeRequest(const json::Value& entry) const = 0;

  std::shared_ptr<ui::View> loadView() override;
  // Redraws from the stored lists; the choice returns to the default entry.
  void reload();

 private:
  void runRequest(Request request);
  void answered(AccountOutcome outcome);
  int policySection() const;

  Texts texts_;
  int selectedIndex_ = 0;
  bool isPrimaryChanged_ = false;
  std::vector<std::shared_ptr<ui::RadioButton>> radios_;
  std::shared_ptr<ui::TableView> table_;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::account

// OrderConfirmationController: the screen that replaces checkout once the order is placed
// (flagValue 0: the order number and the amounts) or taken for later processing (flagValue 1:
// the thank-you row alone). Its "HOME" button hands back to the checkout, which leaves the bag
// tab for the home tab. Created once by the checkout and reused; main thread only.
#pragma once

#include <memory>
#include <vector>

#include "bag/SectionedTable.hpp"

namespace kelda::bag {

class CheckOutViewController;

class OrderConfirmationController : public SectionedTable {
 public:
  static constexpr const char* kPageId = "mobile.confirm.checkout";
  static constexpr const char* kThankYou = "thank you for shopping with kelda's";

  OrderConfirmationController();

  std::weak_ptr<CheckOutViewController> delegate;
  int flagValue = 0;
  bool isOrderConfirmationViewVisible = false;

  void home();

 protected:
  void viewWillAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;
  std::vector<TableSection> buildSections() override;

 private:
  std::vector<TableSection> placedSections();
};

}  // namespace kelda::bag

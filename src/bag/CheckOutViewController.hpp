// CheckOutViewController: checkout, one screen of three pages (shipping, billing, order summary)
// under a header that marks the current page. The shopper picks a shipping address and method,
// a card and its security code, reviews the order and confirms it; the order is reserved and
// then placed with the totals of the bag for the chosen address.
//
// Checkout runs under a time limit (kTimeLimitSeconds on the run loop's clock) that starts on
// the first appearance and ends whenever checkout is left; it never ends checkout while an order
// is on its way to the server (it takes effect when the answer is in and the order was not
// placed). The bag is emptied only after the server confirmed the order.
//
// Pushed by the bag screen after sign-in; main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "bag/BagRequests.hpp"
#include "bag/SectionedTable.hpp"
#include "platform/RunLoop.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/Label.hpp"
#include "ui/TextField.hpp"

namespace kelda::bag {

class OrderConfirmationController;
class ItemsExcludedInStateSelected;

class CheckOutViewController : public SectionedTable {
 public:
  enum class Page { Shipping, Billing, Summary };

  static constexpr int kTimeLimitSeconds = 1780;
  static constexpr const char* kShippingPageId = "mobile.shipping.checkout";
  static constexpr const char* kBillingPageId = "mobile.billing.checkout";
  static constexpr const char* kSummaryPageId = "mobile.summary.checkout";
  static constexpr const char* kNoAddressMessage =
      "You need to have atleast one shipping address in order to make a purchase at Kelda's";
  static constexpr const char* kNoCardMessage =
      "You need to have atleast one credit card & billing address in order to make a purchase at "
      "Kelda's";
  static constexpr const char* kBatchMessage =
      "Your order is being processed. We will send you the confirmation shortly.";
  static constexpr const char* kNotProcessedMessage =
      "We are unable to process your order. Please review your order again";
  static constexpr const char* kShippingFeesPath = "/bag/checkout/shippingfees.ognc";
  static constexpr const char* kEstimatedTaxPath = "/bag/checkout/estimatedtax.jsp";

  CheckOutViewController();

  Page page() const { return page_; }
  bool timeLimitRunning() const { return doKillSession_ != 0; }
  ui::TextField& securityCodeField() { return *securityCode_; }

  // Actions.
  void pickAddress(int row);
  void chooseShippingMethod(int method);
  void continueFromShipping();
  void continueFromBilling();
  void previous();
  void cancelOrder();
  void confirmOrder();
  void openShippingPolicy();
  // The order confirmation's "HOME" and the exclusion screen's ways out.
  void flipBackToHomeView();
  void goToEditBag();

 protected:
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;
  std::vector<TableSection> buildSections() override;
  std::shared_ptr<ui::View> headerView() override;

 private:
  std::vector<TableSection> shippingSections();
  std::vector<TableSection> billingSections();
  std::vector<TableSection> summarySections();
  void showPage(Page page);
  void setDeafultShippingAndBillingAddress();
  bool totalsAreForSelectedAddress() const;
  void refreshTotals();
  void showAddressPicker();
  void startTimeLimit();
  void endTimeLimit();
  void timeLimitReached();
  void leaveCheckout();
  void orderAnswered(BagOutcome outcome);
  void orderPlaced(bool batch);
  void showConfirmation(int flagValue);
  void presentExclusions(bool stateError, const std::string& method, const std::string& title);
  void setBadge();
  void push(std::shared_ptr<ui::ViewController> screen);
  void editAddress(const json::Value& address);
  void editCard(const json::Value& card);

  Page page_ = Page::Shipping;
  std::shared_ptr<ui::Label> header_;
  std::shared_ptr<ui::TextField> securityCode_;
  support::BusyOverlayHandle overlay_;
  platform::TimerId doKillSession_ = 0;
  bool orderInFlight_ = false;
  bool expiredDuringOrder_ = false;
  std::string shoppingTotal_;
  std::shared_ptr<OrderConfirmationController> confirmation_;
  std::shared_ptr<ItemsExcludedInStateSelected> excluded_;
};

}  // namespace kelda::bag

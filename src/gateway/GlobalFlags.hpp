// GlobalFlags: the process-wide flags that screens share (all false or 0 at launch). One set
// per Context (`GlobalFlags::shared()`); each flag is atomic so that a worker may read one.
#pragma once

#include <atomic>

namespace kelda::gateway {

struct GlobalFlags {
  static GlobalFlags& shared();

  std::atomic<bool> loginSuccessful{false};
  std::atomic<bool> signinWhileCheckout{false};
  std::atomic<bool> clickedLoginFromHomePage{false};
  std::atomic<bool> clickedRegistrationFromHomePage{false};
  std::atomic<int> clickedFromRegistrationPage{0};    // 6001 when set
  std::atomic<int> clickedLoginFromSearchPage{0};     // 5001 when set
  std::atomic<int> clickedRegisterFromSearchPage{0};  // 6001 when set
  std::atomic<bool> didClickCheckoutFromMyBag{false};
  std::atomic<bool> isAddToBagVisible{false};
  std::atomic<bool> isBagHasUpdatedItems{false};
  std::atomic<bool> isSwitchedFromMyBag{false};
  // Unit price of the last add to the bag, in cents (never floating point).
  std::atomic<long long> currentItemPriceCents{0};
  std::atomic<int> quantitySelected{0};
  std::atomic<int> numberOfItems{0};
  std::atomic<long long> subTotalCents{0};
  std::atomic<bool> fromReviews{false};
  std::atomic<bool> fromCollectionReviews{false};
  std::atomic<int> fromIndex{0};
  std::atomic<int> selectedAddressRow{0};
  std::atomic<int> selectedBillingAddressRow{0};
  std::atomic<int> selectedShippingMethodRow{0};  // 0 Standard, 1 Premium, 2 Express
  std::atomic<int> numberOfRows{0};
  std::atomic<int> numberOfBags{0};
};

}  // namespace kelda::gateway

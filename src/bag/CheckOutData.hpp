// CheckOutData: which shipping method the shopper has chosen for the checkout, as three flags
// of which exactly one is set. One per Context (`CheckOutData::sharedCheckOutDataObject()`);
// starts with Standard chosen. Main thread only (the screens that read and write it).
//
// The flags and the global selectedShippingMethodRow always name the same method: choose()
// sets both, so the method shown checked is the method summed up and charged.
#pragma once

namespace kelda::bag {

enum class ShippingMethod { Standard = 0, Premium = 1, Express = 2 };

class CheckOutData {
 public:
  static CheckOutData& sharedCheckOutDataObject();

  bool shippingMethodStandardChecked() const { return method_ == ShippingMethod::Standard; }
  bool shippingMethodPremiumChecked() const { return method_ == ShippingMethod::Premium; }
  bool shippingMethodExpressChecked() const { return method_ == ShippingMethod::Express; }
  ShippingMethod method() const { return method_; }

  // Sets the flag of `method` (clearing the others) and selectedShippingMethodRow.
  void choose(ShippingMethod method);

 private:
  ShippingMethod method_ = ShippingMethod::Standard;
};

// "Standard", "Premium" or "Express".
const char* shippingMethodName(ShippingMethod method);

}  // namespace kelda::bag

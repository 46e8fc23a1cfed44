#include "bag/CheckOutData.hpp"

#include "gateway/GlobalFlags.hpp"
#include "platform/Context.hpp"

namespace kelda::bag {

CheckOutData& CheckOutData::sharedCheckOutDataObject() {
  return platform::shared<CheckOutData>();
}

void CheckOutData::choose(ShippingMethod method) {
  method_ = method;
  gateway::GlobalFlags::shared().selectedShippingMethodRow = static_cast<int>(method);
}

const char* shippingMethodName(ShippingMethod method) {
  switch (method) {
    case ShippingMethod::Premium:
      return "Premium";
    case ShippingMethod::Express:
      return "Express";
    default:
      return "Standard";
  }
}

}  // namespace kelda::bag

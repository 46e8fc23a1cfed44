// ItemsExcludedInStateSelected: presented over checkout when bag lines cannot ship to the chosen
// address (isExcludedStateError) or with the chosen method. It lists the lines
// (ViewBagData.excludedStateItemsArray) and offers the ways out: the shipping policy, another
// address or method, or back to the bag to remove lines. Created once by the checkout and
// reused; main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "bag/SectionedTable.hpp"

namespace kelda::bag {

class CheckOutViewController;

class ItemsExcludedInStateSelected : public SectionedTable {
 public:
  // The retailer's web site named at the end of the state message.
  static constexpr const char* kWebSiteName = "kelda.com";

  std::weak_ptr<CheckOutViewController> delegate;
  bool isExcludedStateError = true;
  std::string shippingMethodName;
  std::string prodTitle;

  void shippingPolicies();
  void editAddress();
  void removeItem();
  void viewShippingOptions();

 protected:
  void viewWillAppear(bool animated) override;
  std::vector<TableSection> buildSections() override;
};

}  // namespace kelda::bag

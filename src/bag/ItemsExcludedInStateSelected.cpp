#include "bag/ItemsExcludedInStateSelected.hpp"

#include "bag/CheckOutViewController.hpp"
#include "bag/ViewBagData.hpp"

namespace kelda::bag {

void ItemsExcludedInStateSelected::viewWillAppear(bool) {
  reloadRows();
}

std::vector<TableSection> ItemsExcludedInStateSelected::buildSections() {
  if (!isExcludedStateError) {
    return {{"select shipping option:",
             {{textsCell({"The " + shippingMethodName +
                          " shipping method is not applicable for the Item " + prodTitle +
                          " in your bag. Please choose another shipping option."}),
               {}}},
             buttonFooter({{"VIEW SHIPPING OPTIONS", [this] { viewShippingOptions(); }}})}};
  }
  TableSection message{
      "select shipping address:",
      {{textsCell({std::string("The following item(s) in your bag cannot be shipped to selected "
                               "shipping address. Please enter a new shipping address or view "
                               "our full shipping policy on ") +
                   kWebSiteName}),
        {}}},
      nullptr};
  TableSection items{"", {}, nullptr};
  for (const json::Value& item :
       ViewBagData::sharedViewBagDataObject().excludedStateItemsArray().items()) {
    items.rows.push_back({textsCell({item["Title"].str()}), {}});
  }
  items.footer = buttonFooter({{"SHIPPING POLICIES", [this] { shippingPolicies(); }},
                               {"EDIT ADDRESS", [this] { editAddress(); }},
                               {"REMOVE ITEM", [this] { removeItem(); }}});
  return {message, items};
}

void ItemsExcludedInStateSelected::shippingPolicies() {
  auto self = shared_from_this();
  dismissModalViewControllerAnimated(true);
  if (auto checkout = delegate.lock()) checkout->openShippingPolicy();
}

void ItemsExcludedInStateSelected::editAddress() {
  dismissModalViewControllerAnimated(true);
}

void ItemsExcludedInStateSelected::removeItem() {
  auto self = shared_from_this();
  if (auto checkout = delegate.lock()) checkout->goToEditBag();
  dismissModalViewControllerAnimated(true);
}

void ItemsExcludedInStateSelected::viewShippingOptions() {
  dismissModalViewControllerAnimated(true);
}

}  // namespace kelda::bag

#include "bag/OrderConfirmationController.hpp"

#include "bag/BagRequests.hpp"
#include "bag/CheckOutViewController.hpp"
#include "bag/Money.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "support/PoliciesViewController.hpp"

namespace kelda::bag {
namespace {

// "$ %.2f" of an amount the server sent, in whole cents.
std::string twoPlaces(const json::Value& amount) {
  return "$ " + formatCents(centsFromText(amountText(amount)));
}

}  // namespace

OrderConfirmationController::OrderConfirmationController() {
  setTitle("Order Confirmation");
  navigationItem().hidesBackButton = true;
}

void OrderConfirmationController::viewWillAppear(bool) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
  isOrderConfirmationViewVisible = true;
  reloadRows();
}

void OrderConfirmationController::viewWillDisappear(bool) {
  isOrderConfirmationViewVisible = false;
}

void OrderConfirmationController::home() {
  if (auto checkout = delegate.lock()) checkout->flipBackToHomeView();
}

std::vector<TableSection> OrderConfirmationController::buildSections() {
  auto homeFooter = buttonFooter({{"HOME", [this] { home(); }}});
  if (flagValue == 1) return {{"", {{textsCell({kThankYou}), {}}}, homeFooter}};
  auto sections = placedSections();
  sections[1].footer = homeFooter;
  return sections;
}

std::vector<TableSection> OrderConfirmationController::placedSections() {
  auto& state = gateway::TarnObjects::sharedInstance();
  const json::Value order = state.orderConfirmationDictionary();
  const json::Value totals = state.merchandiseDetailsDictionary()["data"];
  const int method = gateway::GlobalFlags::shared().selectedShippingMethodRow;
  TableSection thanks{
      "",
      {{textsCell({kThankYou}), {}},
       {textsCell({"Your order has been placed.",
                   "Your order number is:", amountText(order["confirmationNumber"]),
                   "The Order Confirmation code has been", "mailed to your email address."}),
        {}}},
      nullptr};
  TableSection amounts{
      "",
      {{valueCell("merchandise total:", twoPlaces(totals["itemsTotal"])), {}},
       {valueCell("shipping charges:",
                  twoPlaces(totals["shippingFeeResults"][method]["shippingFee"])),
        {}},
       {valueCell("applied promo code:", twoPlaces(totals["totalDiscountedAmmount"])), {}},
       {valueCell("estimated taxes:", "$" + amountText(order["taxes"])), {}},
       {valueCell("total:", "$" + amountText(order["amountCharged"])), {}}},
      nullptr};
  TableSection shipping{
      "",
      {{textsCell({"for complete details, read our", "Shipping policy."}),
        [this] { support::openRetailerPage(*this, CheckOutViewController::kShippingFeesPath); }}},
      nullptr};
  TableSection tax{
      "",
      {{textsCell({"for complete details, read our", "Tax policy."}),
        [this] { support::openRetailerPage(*this, CheckOutViewController::kEstimatedTaxPath); }}},
      nullptr};
  return {thanks, amounts, shipping, tax};
}

}  // namespace kelda::bag

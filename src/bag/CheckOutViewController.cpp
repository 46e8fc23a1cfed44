#include "bag/CheckOutViewController.hpp"

#include <chrono>
#include <mutex>
#include <utility>

#include "account/MyAddressBookEditViewController.hpp"
#include "account/MyAddressBookViewController.hpp"
#include "account/MyWalletEditViewController.hpp"
#include "account/MyWalletViewController.hpp"
#include "bag/CheckOutData.hpp"
#include "bag/CheckoutRules.hpp"
#include "bag/CoreDataHandler.hpp"
#include "bag/ItemsExcludedInStateSelected.hpp"
#include "bag/Money.hpp"
#include "bag/OrderConfirmationController.hpp"
#include "bag/ViewBagData.hpp"
#include "gateway/Components.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "platform/TaskAndReply.hpp"
#include "support/PoliciesViewController.hpp"
#include "support/RetailerPages.hpp"
#include "ui/AlertView.hpp"
#include "ui/Button.hpp"
#include "ui/NavigationController.hpp"
#include "ui/PickerView.hpp"
#include "ui/RadioButton.hpp"
#include "ui/TabBarController.hpp"
#include "ui/Transition.hpp"
#include "ui/Window.hpp"

namespace kelda::bag {
namespace {

using gateway::GlobalFlags;
using gateway::TarnObjects;
using gateway::UserProfileDetails;

constexpr int kBagTab = 2;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

UserProfileDetails& profile() {
  return UserProfileDetails::sharedUserProfileObject();
}

GlobalFlags& flags() {
  return GlobalFlags::shared();
}

void pageTag(const char* pageId) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(pageId);
}

json::Value totalsData() {
  return state().merchandiseDetailsDictionary()["data"];
}

json::Value chosenFee() {
  return totalsData()["shippingFeeResults"][flags().selectedShippingMethodRow.load()];
}

json::Value selectedAddress() {
  return profile().shippingAddressArray()[flags().selectedAddressRow.load()];
}

json::Value selectedCard() {
  return profile().defaultCreditCardArray()[flags().selectedBillingAddressRow.load()];
}

// "$ %.2f" of an amount the server sent (as text or number), in whole cents.
std::string twoPlaces(const json::Value& amount) {
  return formatCents(centsFromText(amountText(amount)));
}

std::string fullName(const json::Value& entry, const char* first, const char* last) {
  return entry[first].str() + " " + entry[last].str();
}

// The index of the first entry whose `key` has the integer value of the default's.
int defaultIndex(const json::Value& entries, const json::Value& fallback, const char* key) {
  const long long wanted = fallback[key].intValue();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i][key].intValue() == wanted) return static_cast<int>(i);
  }
  return 0;
}

// The bag records read afresh from the store: other screens keep shorter records in the shared
// recordArray, without the shipping and state codes the checks need.
json::Value freshRecords() {
  auto& store = CoreDataHandler::sharedCoreDataHandler();
  store.fetchExistingBagItems();
  std::vector<json::Value> records;
  for (const auto& line : store.fetchBagItemsArray()) records.push_back(line.bagRecord());
  json::Value all = json::Value::array(std::move(records));
  ViewBagData::sharedViewBagDataObject().setRecordArray(all);
  return all;
}

void emptyBag() {
  CoreDataHandler::sharedCoreDataHandler().deleteAllObjects(CoreDataHandler::kEntityName);
}

}  // namespace

CheckOutViewController::CheckOutViewController() {
  setTitle("Check Out");
  securityCode_ = std::make_shared<ui::TextField>("Enter Security Code");
  securityCode_->label = "Security Code:";
  securityCode_->secureTextEntry = true;
  securityCode_->keyboardType = ui::KeyboardType::NumberPad;
  navigationItem().leftBarButtonItem =
      std::make_shared<ui::BarButtonItem>("Previous", [this] { previous(); });
  navigationItem().hidesBackButton = true;
}

std::shared_ptr<ui::View> CheckOutViewController::headerView() {
  header_ = std::make_shared<ui::Label>();
  return header_;
}

void CheckOutViewController::viewDidLoad() {
  setDeafultShippingAndBillingAddress();
  // The card types: from what the profile already holds, else asked of the server.
  platform::postTaskAndReply(
      platform::weakFrom(this),
      [] {
        if (profile().creditCardTypes().isAbsent()) profile().populateCreditCardTypes();
      },
      [](CheckOutViewController& screen) { screen.reloadRows(); });
}

void CheckOutViewController::setDeafultShippingAndBillingAddress() {
  flags().selectedAddressRow = defaultIndex(profile().shippingAddressArray(),
                                            profile().defaultShippingDictionary(), "contactId");
  flags().selectedBillingAddressRow = defaultIndex(
      profile().defaultCreditCardArray(), profile().defaultCreditCardDictionary(), "cardId");
}

void CheckOutViewController::viewWillAppear(bool) {
  gateway::guarded("-[CheckOutViewController viewWillAppear:]", [&] {
    if (!flags().loginSuccessful) {
      flags().selectedAddressRow = 0;
      flags().selectedBillingAddressRow = 0;
      if (auto* navigation = navigationController()) {
        navigation->popToRootViewControllerAnimated(true);
      }
      return;
    }
    setTitle("Check Out");
    pageTag(kShippingPageId);
    if (page_ == Page::Shipping) {
      securityCode_->text.clear();
      securityCode_->placeholder = "Enter Security Code";
    }
    startTimeLimit();
    shoppingTotal_ = amountText(chosenFee()["orderTotal"]);
    // The totals must be those of the address the order will ship to.
    if (!totalsAreForSelectedAddress()) refreshTotals();
    showPage(page_);
  });
}

void CheckOutViewController::viewWillDisappear(bool) {
  // The screen above reads "Previous" as its way back.
  if (auto* navigation = navigationController(); navigation && navigation->contains(*this)) {
    setTitle("Previous");
  }
}

void CheckOutViewController::showPage(Page page) {
  page_ = page;
  view();
  header_->text = page == Page::Shipping  ? "[shipping] | billing | summary"
                  : page == Page::Billing ? "shipping | [billing] | summary"
                                          : "shipping | billing | [summary]";
  reloadRows();
}

// ---- totals for the chosen address ----

bool CheckOutViewController::totalsAreForSelectedAddress() const {
  const json::Value address = selectedAddress();
  if (state().merchandiseDetailsDictionary().empty()) return false;
  return address.isAbsent() || ViewBagData::sharedViewBagDataObject().totalsContactId().str() ==
                                   address["contactId"].str();
}

void CheckOutViewController::refreshTotals() {
  overlay_.show();
  const json::Value items = ViewBagData::sharedViewBagDataObject().itemBOAttributeArray();
  platform::postTaskAndReply(
      platform::weakFrom(this), [items] { return BagRequests::getViewBagMerchandiseTotal(items); },
      [](CheckOutViewController& screen, BagOutcome) {
        screen.overlay_.hide();
        screen.shoppingTotal_ = amountText(chosenFee()["orderTotal"]);
        screen.reloadRows();
      });
}

void CheckOutViewController::pickAddress(int row) {
  ui::Window::shared().dismissPicker();
  if (row < 0 || row >= static_cast<int>(profile().shippingAddressArray().size())) return;
  flags().selectedAddressRow = row;
  reloadRows();
  refreshTotals();
}

void CheckOutViewController::showAddressPicker() {
  std::vector<std::string> rows;
  for (const json::Value& address : profile().shippingAddressArray().items()) {
    rows.push_back(fullName(address, "firstName", "lastName") + "\n" + address["address1"].str());
  }
  auto picker = std::make_shared<ui::PickerView>(std::vector<std::vector<std::string>>{rows});
  picker->showsToolbar = true;
  picker->selectRow(flags().selectedAddressRow, 0);
  picker->done = [this](ui::PickerView& p) { pickAddress(p.selectedRowInComponent(0)); };
  picker->cancel = [](ui::PickerView&) { ui::Window::shared().dismissPicker(); };
  ui::Window::shared().presentPicker(picker);
}

void CheckOutViewController::chooseShippingMethod(int method) {
  if (method < 0 || method > 2) return;
  CheckOutData::sharedCheckOutDataObject().choose(static_cast<ShippingMethod>(method));
  shoppingTotal_ = amountText(chosenFee()["orderTotal"]);
  reloadRows();
}

// ---- the account screens checkout opens ----

void CheckOutViewController::push(std::shared_ptr<ui::ViewController> screen) {
  if (auto* navigation = navigationController()) navigation->pushViewController(std::move(screen));
}

// An edited or added address may change the totals (its state's tax): they are asked again
// when checkout shows.
void CheckOutViewController::editAddress(const json::Value& address) {
  auto edit = account::MyAddressBookEditViewController::forAddress(address);
  edit->saved = [] { ViewBagData::sharedViewBagDataObject().setTotalsContactId({}); };
  push(edit);
}

// A card opens for editing only when its type may be edited here (a visible card type).
void CheckOutViewController::editCard(const json::Value& card) {
  if (!card.isAbsent()) {
    bool visible = false;
    for (const json::Value& type : profile().creditCardTypes().items()) {
      visible = visible ||
                (type["ccCode"].str() == card["cardType"].str() && type["visible"].str() == "Y");
    }
    if (!visible) return;
  }
  push(account::MyWalletEditViewController::forCard(card));
}

// ---- pages ----

std::vector<TableSection> CheckOutViewController::buildSections() {
  switch (page_) {
    case Page::Billing:
      return billingSections();
    case Page::Summary:
      return summarySections();
    default:
      return shippingSections();
  }
}

std::vector<TableSection> CheckOutViewController::shippingSections() {
  const json::Value addresses = profile().shippingAddressArray();
  TableSection address{"select shipping address:", {}, nullptr};
  TableSection total{"", {{valueCell("shopping bag total:", "$" + shoppingTotal_), {}}}, nullptr};
  total.footer = buttonFooter({{"CONTINUE CHECKOUT", [this] { continueFromShipping(); }}});
  auto continueButton = std::dynamic_pointer_cast<ui::Button>(total.footer->subviews().front());
  if (addresses.empty()) {
    address.rows.push_back({textsCell({kNoAddressMessage}), {}});
    address.footer = buttonFooter({{"ADD A SHIPPING ADDRESS", [this] { editAddress({}); }}});
    continueButton->enabled = false;
    return {address, total};
  }
  // Only on the totals of the address the order ships to.
  continueButton->enabled = totalsAreForSelectedAddress();
  const json::Value chosen = selectedAddress();
  auto cell = textsCell(
      {fullName(chosen, "firstName", "lastName"), chosen["address1"].str(),
       chosen["address2"].str(),
       chosen["city"].str() + ", " + chosen["state"].str() + " " + chosen["zipcode"].str()});
  cell->accessoryType = ui::CellAccessory::DisclosureIndicator;
  address.rows.push_back({cell, [this] { showAddressPicker(); }});
  address.footer = buttonFooter(
      {{"Edit", [this] { editAddress(selectedAddress()); }},
       {"Add", [this] { editAddress({}); }},
       {"View All", [this] { push(std::make_shared<account::MyAddressBookViewController>()); }}});

  TableSection options{"shipping options:", {}, nullptr};
  const CheckOutData& data = CheckOutData::sharedCheckOutDataObject();
  const bool checked[] = {data.shippingMethodStandardChecked(), data.shippingMethodPremiumChecked(),
                          data.shippingMethodExpressChecked()};
  for (int method = 0; method < 3; ++method) {
    const json::Value fee = totalsData()["shippingFeeResults"][method];
    auto row = std::make_shared<ui::TableViewCell>();
    row->selectionStyle = ui::CellSelectionStyle::None;
    auto radio = row->add<ui::RadioButton>(shippingMethodName(static_cast<ShippingMethod>(method)),
                                           checked[method]);
    radio->group = "shipping";
    radio->tag = method + 1;
    radio->action = [this, method](ui::RadioButton&) { chooseShippingMethod(method); };
    row->add<ui::Label>("$" + amountText(fee["shippingFee"]));
    row->add<ui::Label>(amountText(fee["estimatedDelivery"]));
    options.rows.push_back({row, {}});
  }
  options.rows.push_back(
      {textsCell({"Note:",
                  "Items will ship as soon as they are processed and may arrive in "
                  "multiple boxes on different days.",
                  "for complete details, read our", "Shipping policy."}),
       [this] { openShippingPolicy(); }});

  return {address, options, total};
}

std::vector<TableSection> CheckOutViewController::billingSections() {
  const json::Value cards = profile().defaultCreditCardArray();
  if (cards.empty()) {
    return {{"select billing addres:",
             {{textsCell({kNoCardMessage}), {}}},
             buttonFooter({{"ADD A BILLING ADDRESS", [this] { editCard({}); }}})}};
  }
  const json::Value card = selectedCard();
  TableSection billing{"select billing addres:",
                       {{textsCell({fullName(card, "billingFirstName", "billingLastName"),
                                    card["billingAddress1"].str(), card["billingAddress2"].str(),
                                    card["billingCity"].str() + ", " + card["billingState"].str() +
                                        " " + card["billingZipcode"].str()}),
                         {}}},
                       nullptr};
  billing.footer = buttonFooter(
      {{"Edit", [this] { editCard(selectedCard()); }},
       {"Add", [this] { editCard({}); }},
       {"View All", [this] { push(std::make_shared<account::MyWalletViewController>()); }}});
  TableSection details{"credit card details", {}, nullptr};
  details.rows.push_back({valueCell("Card Type:", card["cardType"].str()), {}});
  details.rows.push_back(
      {valueCell("Card Number:", maskedCardNumber(amountText(card["cardNumber"]))), {}});
  auto codeRow = textsCell({"Security Code:"});
  codeRow->addSubview(securityCode_);
  details.rows.push_back({codeRow, {}});
  TableSection primary{"primary billing information",
                       {{textsCell({"You may access our billing policy in the Address book "
                                    "section of your account."}),
                         {}}},
                       buttonFooter({{"CONTINUE CHECKOUT", [this] { continueFromBilling(); }}})};
  return {billing, details, primary};
}

std::vector<TableSection> CheckOutViewController::summarySections() {
  const json::Value data = totalsData();
  TableSection summary{"", {}, nullptr};
  summary.rows.push_back(
      {valueCell("merchandise total:", "$ " + amountText(data["itemsTotal"])), {}});
  summary.rows.push_back(
      {valueCell("shipping charges:", "$ " + amountText(chosenFee()["shippingFee"])),
       [this] { support::openRetailerPage(*this, kShippingFeesPath); }});
  summary.rows.push_back({valueCell("estimated taxes:", "$ " + amountText(data["taxes"])),
                          [this] { support::openRetailerPage(*this, kEstimatedTaxPath); }});
  summary.rows.push_back(
      {valueCell("applied promo code:", "$ " + twoPlaces(data["totalDiscountedAmmount"])), {}});
  for (const json::Value& promotion : data["promotionResultsOrder"].items()) {
    summary.rows.push_back({valueCell(promotion["promotionDescription"].str(),
                                      "- $ " + twoPlaces(promotion["amountDiscounted"])),
                            {}});
  }
  summary.rows.push_back({valueCell("total:", "$" + amountText(chosenFee()["orderTotal"])), {}});
  summary.footer = buttonFooter(
      {{"CONFIRM ORDER", [this] { confirmOrder(); }}, {"CANCEL ORDER", [this] { cancelOrder(); }}});
  return {summary};
}

void CheckOutViewController::continueFromShipping() {
  const json::Value records = freshRecords();
  const json::Value byState = stateExcludedItems(records, selectedAddress()["state"].str());
  auto& bag = ViewBagData::sharedViewBagDataObject();
  if (!byState.empty()) {
    bag.setExcludedStateItemsArray(byState);
    return presentExclusions(true, "", "");
  }
  const json::Value method = chosenFee()["shippingMethod"];
  const json::Value byMethod = methodExcludedItems(records, amountText(method["code"]));
  if (!byMethod.empty()) {
    bag.setExcludedStateItemsArray(byMethod);
    return presentExclusions(false, method["description"].str(), byMethod[0]["Title"].str());
  }
  pageTag(kBillingPageId);
  flags().selectedBillingAddressRow = 0;
  showPage(Page::Billing);
}

void CheckOutViewController::continueFromBilling() {
  ui::Window::shared().endEditing();
  const std::string problem = securityCodeProblem(securityCode_->text);
  if (!problem.empty()) {
    return gateway::Components::sharedInstance().showAlertWithMessage(problem);
  }
  state().setSecurityCode(securityCode_->text);
  pageTag(kSummaryPageId);
  showPage(Page::Summary);
}

void CheckOutViewController::previous() {
  if (orderInFlight_) return;
  if (page_ == Page::Summary) {
    pageTag(kBillingPageId);
    return showPage(Page::Billing);
  }
  if (page_ == Page::Billing) {
    pageTag(kShippingPageId);
    return showPage(Page::Shipping);
  }
  auto self = shared_from_this();
  leaveCheckout();
  auto* navigation = navigationController();
  if (navigation == nullptr) return;
  if (flags().signinWhileCheckout) {
    navigation->popToRootViewControllerAnimated(true);
  } else {
    navigation->popViewControllerAnimated(true);
  }
}

void CheckOutViewController::cancelOrder() {
  if (orderInFlight_) return;
  auto self = shared_from_this();
  leaveCheckout();
  if (auto* navigation = navigationController()) navigation->popToRootViewControllerAnimated(true);
}

void CheckOutViewController::goToEditBag() {
  cancelOrder();
}

void CheckOutViewController::openShippingPolicy() {
  support::openRetailerPage(*this, support::kShippingPolicyPath);
}

// Ends everything this checkout holds: the time limit, the selections, the security code.
void CheckOutViewController::leaveCheckout() {
  endTimeLimit();
  flags().selectedAddressRow = 0;
  flags().selectedBillingAddressRow = 0;
  securityCode_->text.clear();
  securityCode_->placeholder = "Enter Security Code";
  state().setSecurityCode({});
  page_ = Page::Shipping;
}

// ---- the time limit ----

void CheckOutViewController::startTimeLimit() {
  if (doKillSession_ != 0) return;
  doKillSession_ = platform::RunLoop::main().schedule(std::chrono::seconds(kTimeLimitSeconds),
                                                      [weak = platform::weakFrom(this)] {
                                                        if (auto screen = weak.lock())
                                                          screen->timeLimitReached();
                                                      });
}

void CheckOutViewController::endTimeLimit() {
  if (doKillSession_ != 0) platform::RunLoop::main().cancel(doKillSession_);
  doKillSession_ = 0;
}

void CheckOutViewController::timeLimitReached() {
  doKillSession_ = 0;
  // An order on its way is never cut off: its answer decides.
  if (orderInFlight_) {
    expiredDuringOrder_ = true;
    return;
  }
  cancelOrder();
}

// ---- the order ----

void CheckOutViewController::confirmOrder() {
  if (orderInFlight_) return;
  overlay_.show();
  orderInFlight_ = true;
  expiredDuringOrder_ = false;
  const int method = flags().selectedShippingMethodRow;
  platform::postTaskAndReply(
      platform::weakFrom(this),
      [method] {
        // A fresh reservation for exactly this order, then the order that uses it.
        state().setOrderSummaryDictionary({});
        const BagOutcome reserved = BagRequests::getOrderReservationNumber(method);
        if (reserved != BagOutcome::Answered) return reserved;
        return BagRequests::getOrderConfirmationNumber(method);
      },
      [](CheckOutViewController& screen, BagOutcome outcome) { screen.orderAnswered(outcome); });
}

void CheckOutViewController::orderAnswered(BagOutcome outcome) {
  overlay_.hide();
  orderInFlight_ = false;
  const bool expired = std::exchange(expiredDuringOrder_, false);
  if (outcome != BagOutcome::Answered) {
    if (expired) return cancelOrder();
    return showPage(Page::Summary);
  }
  const json::Value data = state().orderConfirmationDictionary();
  if (!data["confirmationNumber"].str().empty() && !data["paymentStatus"].str().empty()) {
    return orderPlaced(false);
  }
  if (data["mode"].str() == "BATCH") return orderPlaced(true);
  endTimeLimit();
  ui::showAlert(ui::AlertView{
      "", kNotProcessedMessage, {"Edit My Bag"}, 0, [weak = platform::weakFrom(this)](int) {
        state().setOrderFail("Y");
        if (auto screen = weak.lock()) screen->goToEditBag();
      }});
}

void CheckOutViewController::orderPlaced(bool batch) {
  leaveCheckout();
  emptyBag();
  // The code and the availability notices belonged to the order just placed.
  state().setPromoCode("");
  state().setOrderConfirmationResult({});
  setBadge();
  if (!batch) return showConfirmation(0);
  ui::showAlert(ui::AlertView{"", kBatchMessage, {"Ok"}, 0, [weak = platform::weakFrom(this)](int) {
                                emptyBag();
                                if (auto screen = weak.lock()) {
                                  screen->setBadge();
                                  screen->showConfirmation(1);
                                }
                              }});
}

void CheckOutViewController::setBadge() {
  static std::mutex lock;
  if (auto* tabs = tabBarController()) {
    tabs->setBadgeValue(
        kBagTab, std::to_string(CoreDataHandler::sharedCoreDataHandler().totalQuantityInBag(lock)));
  }
}

void CheckOutViewController::showConfirmation(int flagValue) {
  if (!confirmation_) confirmation_ = std::make_shared<OrderConfirmationController>();
  confirmation_->delegate = platform::weakFrom(this);
  confirmation_->flagValue = flagValue;
  ui::recordTransition(ui::Transition::FlipFromLeft, 0.75, "Order Confirmation");
  if (auto* navigation = navigationController()) navigation->pushViewController(confirmation_);
}

void CheckOutViewController::flipBackToHomeView() {
  auto self = shared_from_this();
  ui::recordTransition(ui::Transition::FlipFromRight, 0.75, "Order Confirmation");
  ui::TabBarController* tabs = tabBarController();
  if (auto* navigation = navigationController()) navigation->popToRootViewControllerAnimated(false);
  if (tabs != nullptr && tabs->selectedIndex() == kBagTab) tabs->setSelectedIndex(0);
}

void CheckOutViewController::presentExclusions(bool stateError, const std::string& method,
                                               const std::string& title) {
  if (!excluded_) excluded_ = std::make_shared<ItemsExcludedInStateSelected>();
  excluded_->delegate = platform::weakFrom(this);
  excluded_->isExcludedStateError = stateError;
  excluded_->shippingMethodName = method;
  excluded_->prodTitle = title;
  presentModalViewController(excluded_, true);
}

}  // namespace kelda::bag

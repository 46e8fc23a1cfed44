#include "bag/ViewBagController.hpp"

#include <algorithm>
#include <chrono>
#include <utility>

#include "account/LoginViewController.hpp"
#include "bag/BagRules.hpp"
#include "bag/CheckOutData.hpp"
#include "bag/CheckOutViewController.hpp"
#include "bag/CoreDataHandler.hpp"
#include "bag/Money.hpp"
#include "bag/ViewBagData.hpp"
#include "gateway/Components.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/ScreenLinks.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/RunLoop.hpp"
#include "platform/TaskAndReply.hpp"
#include "ui/AlertView.hpp"
#include "ui/Button.hpp"
#include "ui/Label.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TabBarController.hpp"
#include "ui/Window.hpp"

namespace kelda::bag {
namespace {

using gateway::GlobalFlags;
using gateway::TarnObjects;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

ViewBagData& bagData() {
  return ViewBagData::sharedViewBagDataObject();
}

CoreDataHandler& store() {
  return CoreDataHandler::sharedCoreDataHandler();
}

void pageTag(const char* pageId) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(pageId);
}

void alert(const std::string& message) {
  gateway::Components::sharedInstance().showAlertWithMessage(message);
}

// An alert with no title and one "Ok" button.
void okAlert(const std::string& message, std::function<void(int)> pressed = {}) {
  ui::showAlert(ui::AlertView{"", message, {"Ok"}, 0, std::move(pressed)});
}

std::shared_ptr<ui::TableViewCell> textCell(const std::string& text,
                                            ui::TextStyle style = ui::TextStyle::Normal) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->textLabel().text = text;
  cell->textLabel().style = style;
  cell->selectionStyle = ui::CellSelectionStyle::None;
  return cell;
}

void addPair(ui::TableViewCell& cell, const char* label, const std::string& value) {
  cell.add<ui::Label>(label, ui::TextStyle::Small);
  cell.add<ui::Label>(value);
}

// "$%.2f" of the unit price times the quantity, in whole cents.
std::string lineTotal(const json::Value& record) {
  const long long cents =
      multiplyCents(centsFromText(record["Price"].str()), integerValue(record["Quantity"].str()));
  return "$" + formatCents(cents);
}

}  // namespace

ViewBagController::ViewBagController() {
  setTitle("View Bag");
  platform::NotificationCenter::defaultCenter().addObserver(
      account::LoginViewController::kGoToCheckoutNotification, this,
      [this](const platform::Notification&) { goToCheckout(); });
}

ViewBagController::~ViewBagController() {
  platform::NotificationCenter::defaultCenter().removeObserver(this);
}

ui::TableView& ViewBagController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> ViewBagController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

int ViewBagController::lineCount() const {
  return static_cast<int>(records_.size());
}

json::Value ViewBagController::record(int line) const {
  return records_[line];
}

int ViewBagController::lineAtRow(int row) const {
  const int line = editButtonClicked_ ? row : row - 1;
  return line >= 0 && line < lineCount() ? line : -1;
}

void ViewBagController::updateRecordArray() {
  store().fetchExistingBagItems();
  setBadge();
  std::vector<json::Value> records;
  for (const auto& line : store().fetchBagItemsArray()) records.push_back(line.bagRecord());
  // The screen keeps its own full records: other screens write shorter ones to the shared array.
  records_ = json::Value::array(std::move(records));
  bagData().setRecordArray(records_);
  unavailableItems_.assign(static_cast<std::size_t>(lineCount()), false);
  promoArray_.assign(static_cast<std::size_t>(lineCount()), json::Value());
}

void ViewBagController::setBadge() {
  if (auto* tabs = tabBarController()) {
    tabs->setBadgeValue(kBagTab, std::to_string(store().totalQuantityInBag(bagLock_)));
  }
}

void ViewBagController::viewWillAppear(bool) {
  gateway::guarded("-[ViewBagController viewWillAppear:]", [&] {
    GlobalFlags::shared().selectedAddressRow = 0;
    thisRowHasPromo_ = false;
    setTitle("View Bag");
    updateRecordArray();
    if (lineCount() > 0) updatedBag();
    if (state().orderFail().str() == "Y") {
      enterEditMode();
    } else {
      editButtonClicked_ = false;
      tableView().setEditing(false);
      navigationItem().hidesBackButton = false;
      pageTag(kBagPageId);
    }
    state().setOrderFail("N");
    navigationItem().rightBarButtonItem =
        editButtonClicked_ ? navigationItem().rightBarButtonItem
                           : std::make_shared<ui::BarButtonItem>("Edit", [this] { edit(); });
    setBadge();
    tableView().reloadData();
  });
}

void ViewBagController::viewDidAppear(bool) {
  pageTag(kBagPageId);
  if (!editButtonClicked_ && store().totalQuantityInBag(bagLock_) == 0) {
    navigationItem().rightBarButtonItem = nullptr;
  }
}

void ViewBagController::updatedBag() {
  if (lineCount() == 0) return;
  store().setItemBOAttrRequestParameterForCheckout();
  store().setItemBOAttrRequestParameterForCheckout1();
  overlay_.show();
  sendTotals(false);
  GlobalFlags::shared().isBagHasUpdatedItems = false;
}

void ViewBagController::sendTotals(bool promoPick) {
  const bool hadPromo = std::exchange(thisRowHasPromo_, false);
  const json::Value items = bagData().itemBOAttributeArray();
  const json::Value previousCode = state().promoCode();
  platform::postTaskAndReply(
      platform::weakFrom(this), [items] { return BagRequests::getViewBagMerchandiseTotal(items); },
      [hadPromo, promoPick, previousCode](ViewBagController& screen, BagOutcome outcome) {
        screen.totalsArrived(outcome, hadPromo, promoPick, previousCode);
      });
}

void ViewBagController::totalsArrived(BagOutcome outcome, bool hadPromo, bool promoPick,
                                      const json::Value& previousCode) {
  overlay_.hide();
  if (outcome == BagOutcome::Answered) {
    const bool applied = bagData().merchandiseTotalDictionary()["promoFlag"].intValue() != 0;
    if (!applied && promoPick) {
      state().setPromoCode("");
      okAlert(kInvalidPromoMessage);
    } else if (!applied && hadPromo) {
      state().setPromoCode("");
      okAlert(kPromoRemovedMessage);
    }
  } else if (promoPick) {
    // The server never judged the code: the bag keeps the code it had.
    state().setPromoCode(previousCode);
  }
  tableView().reloadData();
}

void ViewBagController::blankTotals() {
  bagData().setMerchandiseTotalDictionary({});
  state().setMerchandiseDetailsDictionary({});
  bagData().setTotalsContactId({});
}

// ---- table ----

int ViewBagController::numberOfSectionsInTableView(ui::TableView&) {
  if (editButtonClicked_) return 1;
  return lineCount() > 0 ? 2 : 1;
}

int ViewBagController::numberOfRowsInSection(ui::TableView&, int section) {
  if (section == 0) {
    if (editButtonClicked_) return lineCount();
    return 1 + std::max(lineCount(), 1);
  }
  return static_cast<int>(bagData().merchandiseTotalDictionary()["datatable"].size());
}

std::shared_ptr<ui::TableViewCell> ViewBagController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  if (indexPath.section == 1) return totalsCell(indexPath.row);
  if (!editButtonClicked_ && indexPath.row == 0) return textCell("my bag", ui::TextStyle::Title);
  const int line = lineAtRow(indexPath.row);
  if (line < 0) return textCell(kEmptyBagText);
  return lineCell(line);
}

std::shared_ptr<ui::TableViewCell> ViewBagController::lineCell(int line) {
  const json::Value item = record(line);
  const json::Value totals = bagData().merchandiseTotalDictionary();
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->add<ui::Label>(item["Title"].str(), ui::TextStyle::Bold);
  addPair(*cell, "Quantity:", item["Quantity"].str());
  addPair(*cell, "Total:", lineTotal(item));
  addPair(*cell, "Color:", item["Color"].str());
  addPair(*cell, "Size:", item["Size"].str());
  // The server keys its per-line notices by the line's number as sent (1 for the first line).
  const std::string key = std::to_string(line + 1);
  const auto index = static_cast<std::size_t>(line);
  if (totals["dataValidator"][key].intValue() == 1) {
    cell->add<ui::Label>("This Product is no longer available.");
    unavailableItems_[index] = true;
  }
  const json::Value promotion = totals["promotionResultsItem"][key];
  if (promotion.isObject()) {
    cell->add<ui::Label>(promotion["promotionDescription"].str());
    cell->add<ui::Label>("-$" + amountText(promotion["amountDiscounted"]));
    promoArray_[index] = promotion;
  }
  const json::Value orderResult = state().orderConfirmationResult();
  const auto notices = availabilityNotices(item, orderResult, state().shippingOptionCode());
  for (const auto& notice : notices)
    cell->add<ui::Label>(notice)->textColor = ui::Color::rgb(0.8, 0, 0);
  // A line stays to be fixed while its quantity exceeds what the server has in stock.
  const json::Value entry = availabilityEntry(item, orderResult);
  const bool tooMany =
      !entry.isAbsent() && integerValue(item["Quantity"].str()) > entry["qtyAvailable"].intValue();
  orderDictionary_[item["UpcNumber"].str()] = tooMany ? "N" : "Y";
  cell->accessoryType = editButtonClicked_ ? ui::CellAccessory::DetailDisclosureButton
                                           : ui::CellAccessory::DisclosureIndicator;
  return cell;
}

std::shared_ptr<ui::TableViewCell> ViewBagController::totalsCell(int row) {
  const json::Value entry = bagData().merchandiseTotalDictionary()["datatable"][row];
  auto cell = std::make_shared<ui::TableViewCell>(ui::CellStyle::Value1);
  cell->selectionStyle = ui::CellSelectionStyle::None;
  cell->textLabel().text = entry["desc"].str();
  cell->detailTextLabel().text = "$ " + amountText(entry["value"]);
  if (entry["color"].str() != "B") {
    for (ui::Label* label : {&cell->textLabel(), &cell->detailTextLabel()}) {
      label->style = ui::TextStyle::Bold;
      label->textColor = ui::Color::rgb(0.8, 0, 0);
    }
  }
  return cell;
}

std::shared_ptr<ui::View> ViewBagController::viewForFooterInSection(ui::TableView&, int section) {
  if (section != 1 || editButtonClicked_) return nullptr;
  return totalsFooter();
}

std::shared_ptr<ui::View> ViewBagController::totalsFooter() {
  // Checkout and promotion codes only on the totals of the bag as it is now.
  const bool current = !state().merchandiseDetailsDictionary().empty();
  const bool applied = bagData().merchandiseTotalDictionary()["promoFlag"].intValue() != 0;
  auto footer = std::make_shared<ui::View>();
  auto promo =
      footer->add<ui::Button>("GET PROMO CODE", [this](ui::Button&) { selectPromoCode(); });
  promo->enabled = current;
  promo->dimmed = applied;
  if (applied) {
    footer->add<ui::Button>("REMOVE PROMO CODE", [this](ui::Button&) { removePromoCode(); });
  }
  auto checkout =
      footer->add<ui::Button>("CONTINUE CHECKOUT", [this](ui::Button&) { continueCheckout(); });
  checkout->enabled = current;
  return footer;
}

bool ViewBagController::canEditRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) {
  return editButtonClicked_ && indexPath.section == 0 && lineAtRow(indexPath.row) >= 0;
}

ui::EditingStyle ViewBagController::editingStyleForRowAtIndexPath(ui::TableView& table,
                                                                  ui::IndexPath indexPath) {
  return canEditRowAtIndexPath(table, indexPath) ? ui::EditingStyle::Delete
                                                 : ui::EditingStyle::None;
}

void ViewBagController::commitEditingStyle(ui::TableView&, ui::EditingStyle style,
                                           ui::IndexPath indexPath) {
  if (style == ui::EditingStyle::Delete) deleteLine(lineAtRow(indexPath.row));
}

void ViewBagController::didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) {
  table.deselectRowAtIndexPath(indexPath, true);
  if (indexPath.section != 0) return;
  const int line = lineAtRow(indexPath.row);
  if (line < 0) return;
  if (editButtonClicked_) {
    showQuantityPickerView(line);
  } else if (!unavailableItems_[static_cast<std::size_t>(line)]) {
    openProductPage(line);
  }
}

void ViewBagController::openProductPage(int line) {
  auto requestProduct = gateway::ScreenLinks::shared().requestProduct;
  if (!requestProduct) return;
  const json::Value item = record(line);
  overlay_.show();
  platform::postTaskAndReply(
      platform::weakFrom(this),
      [requestProduct, item] {
        return requestProduct(item["PDPProductId"].str(), item["CategroyId"].str(),
                              item["CategroyFlag"].str());
      },
      [](ViewBagController& screen, RequestStatus status) {
        screen.overlay_.hide();
        if (status != RequestStatus::Answered) return;
        state().setPdpTabFlag("1");
        const auto& open = gateway::ScreenLinks::shared().openProductPage;
        auto* navigation = screen.navigationController();
        if (!open || navigation == nullptr) return;
        open(*navigation,
             gateway::ProductPageRequest{state().productDescriptionList()["PDPFLAG"].str(),
                                         std::nullopt, false});
      });
}

// ---- edit mode ----

void ViewBagController::edit() {
  if (lineCount() == 0) return;
  enterEditMode();
  anyChangesInBagItems_ = false;
  tableView().reloadData();
}

void ViewBagController::enterEditMode() {
  editButtonClicked_ = true;
  setTitle("Edit Bag");
  navigationItem().hidesBackButton = true;
  navigationItem().rightBarButtonItem = std::make_shared<ui::BarButtonItem>(
      "Done", [this] { update(); }, ui::BarButtonStyle::Done);
  tableView().setEditing(true);
  pageTag(kEditPageId);
}

bool ViewBagController::anyLineNeedsUpdate() const {
  for (const auto& [upc, value] : orderDictionary_) {
    if (value == "N") return true;
  }
  return false;
}

void ViewBagController::update() {
  if (anyLineNeedsUpdate()) return alert(kUpdateBagMessage);
  const json::Value orderResult = state().orderConfirmationResult();
  if (!orderResult.empty() &&
      !commonShippingMethod(records_, orderResult, state().shippingOptionCode())) {
    return;
  }
  leaveEditMode();
}

void ViewBagController::leaveEditMode() {
  pageTag(kBagPageId);
  editButtonClicked_ = false;
  setTitle("View Bag");
  navigationItem().hidesBackButton = false;
  navigationItem().rightBarButtonItem =
      std::make_shared<ui::BarButtonItem>("Edit", [this] { edit(); });
  tableView().setEditing(false);
  if (std::exchange(anyChangesInBagItems_, false)) {
    blankTotals();
    updatedBag();
  }
  tableView().reloadData();
}

void ViewBagController::showQuantityPickerView(int line) {
  const long long most = integerValue(record(line)["MaxQuantity"].str());
  if (most <= 1) return;
  editRowNumber_ = line;
  std::vector<std::string> values;
  for (long long q = 1; q <= most && q <= 999; ++q) values.push_back(std::to_string(q));
  auto picker = std::make_shared<ui::PickerView>(std::vector<std::vector<std::string>>{values});
  picker->showsToolbar = true;
  picker->selectRow(static_cast<int>(integerValue(record(line)["Quantity"].str())) - 1, 0);
  picker->done = [this](ui::PickerView& p) { pickerDone(p.selectedRowInComponent(0) + 1); };
  picker->cancel = [this](ui::PickerView&) { pickerCancel(); };
  ui::Window::shared().presentPicker(picker);
}

void ViewBagController::pickerDone(int quantity) {
  const int line = editRowNumber_;
  ui::Window::shared().dismissPicker();
  if (line < 0 || line >= lineCount()) return;
  const json::Value item = record(line);
  const json::Value entry = availabilityEntry(item, state().orderConfirmationResult());
  if (!entry.isAbsent()) {
    const long long available = entry["qtyAvailable"].intValue();
    if (quantity > available) {
      const std::string a = std::to_string(available);
      alert(available == 0 ? "This item is no more available.Please delete this product"
                           : "This item has only " + a +
                                 " number of quantity available. Please select at the maximum "
                                 "of " +
                                 a + " items");
    }
  }
  store().fetchExistingBagItems();
  store().updateBagQuantityToQuantity(std::to_string(quantity), static_cast<std::size_t>(line));
  anyChangesInBagItems_ = true;
  // The totals on record were for the old quantity.
  blankTotals();
  updateRecordArray();
  tableView().reloadData();
}

void ViewBagController::pickerCancel() {
  ui::Window::shared().dismissPicker();
  anyChangesInBagItems_ = false;
}

void ViewBagController::deleteLine(int line) {
  if (line < 0 || line >= lineCount()) return;
  const json::Value item = record(line);
  store().fetchExistingBagItems();
  if (!store().deleteBagItemAtIndex(static_cast<std::size_t>(line))) return;
  anyChangesInBagItems_ = true;
  if (!promoArray_[static_cast<std::size_t>(line)].isAbsent()) thisRowHasPromo_ = true;
  orderDictionary_.erase(item["UpcNumber"].str());
  blankTotals();
  updateRecordArray();
  tableView().reloadData();
}

// ---- promotion codes ----

void ViewBagController::selectPromoCode() {
  overlay_.show();
  platform::postTaskAndReply(
      platform::weakFrom(this), [] { return BagRequests::offerDetails(); },
      [](ViewBagController& screen, RequestStatus) { screen.pollPromotions(kPromoPollLimit); });
}

void ViewBagController::pollPromotions(int pollsLeft) {
  if (!state().offerDetails()["data"].empty()) {
    overlay_.hide();
    return showPromotionPicker();
  }
  if (pollsLeft <= 0) {
    // The list never came: the screen is usable again and the shopper knows why.
    overlay_.hide();
    return alert(kNoPromotionsMessage);
  }
  platform::RunLoop::main().schedule(std::chrono::milliseconds(kPromoPollMilliseconds),
                                     [weak = platform::weakFrom(this), pollsLeft] {
                                       if (auto screen = weak.lock())
                                         screen->pollPromotions(pollsLeft - 1);
                                     });
}

void ViewBagController::showPromotionPicker() {
  std::vector<std::string> rows;
  for (const json::Value& offer : state().offerDetails()["data"].items()) {
    rows.push_back(offer["promotionName"].str() + "\nUse promo code " + offer["promoCode"].str() +
                   " in your shopping bag");
  }
  auto picker = std::make_shared<ui::PickerView>(std::vector<std::vector<std::string>>{rows});
  picker->showsToolbar = true;
  picker->done = [this](ui::PickerView& p) { promotionPicked(p.selectedRowInComponent(0)); };
  picker->cancel = [](ui::PickerView&) { ui::Window::shared().dismissPicker(); };
  ui::Window::shared().presentPicker(picker);
}

void ViewBagController::promotionPicked(int row) {
  ui::Window::shared().dismissPicker();
  const json::Value offer = state().offerDetails()["data"][row];
  if (!offer.isObject()) return;
  const json::Value previous = state().promoCode();
  state().setPromoCode(offer["promoCode"].str());
  overlay_.show();
  thisRowHasPromo_ = false;
  const json::Value items = bagData().itemBOAttributeArray();
  platform::postTaskAndReply(
      platform::weakFrom(this), [items] { return BagRequests::getViewBagMerchandiseTotal(items); },
      [previous](ViewBagController& screen, BagOutcome outcome) {
        screen.totalsArrived(outcome, false, true, previous);
      });
}

void ViewBagController::removePromoCode() {
  store().setItemBOAttrRequestParameterForCheckout();
  overlay_.show();
  state().setPromoCode("");
  blankTotals();
  tableView().reloadData();
  sendTotals(false);
}

// ---- checkout ----

void ViewBagController::continueCheckout() {
  if (anyLineNeedsUpdate()) return alert(kUpdateBagMessage);
  const json::Value orderResult = state().orderConfirmationResult();
  if (!orderResult.empty()) {
    const auto method = commonShippingMethod(records_, orderResult, state().shippingOptionCode());
    if (!method) return;
    state().setShippingOption(*method);
  }
  const json::Value totals = bagData().merchandiseTotalDictionary();
  if (totals["success"].intValue() == 1) {
    for (int line = 0; line < lineCount(); ++line) {
      if (unavailableItems_[static_cast<std::size_t>(line)]) {
        return alert("The item " + record(line)["Title"].str() + " is no longer available.");
      }
    }
  }
  GlobalFlags::shared().signinWhileCheckout = true;
  if (!loginViewController_)
    loginViewController_ = std::make_shared<account::LoginViewController>();
  loginViewController_->pageFlag = "ViewBag";
  if (auto* navigation = navigationController()) {
    navigation->pushViewController(loginViewController_);
  }
}

void ViewBagController::goToCheckout() {
  auto* navigation = navigationController();
  if (navigation == nullptr || !GlobalFlags::shared().signinWhileCheckout) return;
  if (!checkOut_) checkOut_ = std::make_shared<CheckOutViewController>();
  GlobalFlags::shared().selectedAddressRow = 0;
  CheckOutData::sharedCheckOutDataObject().choose(ShippingMethod::Standard);
  navigation->pushViewController(checkOut_);
}

}  // namespace kelda::bag

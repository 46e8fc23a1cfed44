#include "account/MyWalletEditViewController.hpp"

#include "account/AccountEdit.hpp"
#include "account/FormCells.hpp"
#include "account/MyAccountValidation.hpp"
#include "account/WalletRequests.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "platform/TaskAndReply.hpp"
#include "ui/Button.hpp"
#include "ui/NavigationController.hpp"
#include "ui/Window.hpp"

namespace kelda::account {
namespace {

using gateway::UserProfileDetails;
using P = UserProfileDetails;

UserProfileDetails& form() {
  return UserProfileDetails::sharedUserProfileObject();
}

struct BillingRow {
  FieldSpec spec;
  const char* key;  // the card record's key; nullptr for the state picker row
  ProfileGetter get;
  ProfileSetter set;
};

const FieldSpec kCardNumber{"cardNumber", "Card Number:", "Enter Card Number",
                            true,         false,          ui::KeyboardType::NumberPad};

// The billing rows of section 1, top to bottom.
const BillingRow kBillingRows[] = {
    {{"billingFirstName", "First Name:", "Enter First Name", true},
     "billingFirstName",
     &P::billingFirstName,
     &P::setBillingFirstName},
    {{"billingLastName", "Last Name:", "Enter Last Name", true},
     "billingLastName",
     &P::billingLastName,
     &P::setBillingLastName},
    {{"billingAddress1", "Address Line 1:", "Enter Address Line 1", true},
     "billingAddress1",
     &P::billingAddress1,
     &P::setBillingAddress1},
    {{"billingAddress2", "Address Line 2:", "Enter Address Line 2"},
     "billingAddress2",
     &P::billingAddress2,
     &P::setBillingAddress2},
    {{"billingCity", "City:", "Enter City", true},
     "billingCity",
     &P::billingCity,
     &P::setBillingCity},
    {{"billingState", "State:", "Select State", true},
     nullptr,
     &P::billingState,
     &P::setBillingState},
    {{"billingZipcode", "Zip Code:", "Enter Zipcode", true},
     "billingZipcode",
     &P::billingZipcode,
     &P::setBillingZipcode},
    {{"billingPhoneNumber", "Phone Number:", "Enter Phone Number", true, false,
      ui::KeyboardType::PhonePad},
     "billingPhone",
     &P::billingPhoneNumber,
     &P::setBillingPhoneNumber},
    {{"billingEmailAddress", "Email Address:", "Enter Email Address", true, false,
      ui::KeyboardType::Email},
     "billingEmailAddress",
     &P::billingEmailAddress,
     &P::setBillingEmailAddress},
};
constexpr int kBillingRowCount = static_cast<int>(std::size(kBillingRows));

// The card fields of the form (the security code is never part of it).
constexpr ProfileSetter kCardSetters[] = {&P::setCardType, &P::setCardNumber,
                                          &P::setExpirationDate};

void blankForm() {
  auto& f = form();
  for (ProfileSetter set : kCardSetters) (f.*set)(json::Value(""));
  for (const BillingRow& row : kBillingRows) (f.*row.set)(json::Value(""));
}

}  // namespace

MyWalletEditViewController::MyWalletEditViewController()
    : pickers_([this] { tableView().reloadData(); }) {
  setTitle("My Account");
  fields_[kCardNumber.identifier] = makeTextField(kCardNumber);
  for (const BillingRow& row : kBillingRows) {
    if (row.key != nullptr) fields_[row.spec.identifier] = makeTextField(row.spec);
  }
  pickers_.cardTypeChosen = [this] { fields_[kCardNumber.identifier]->becomeFirstResponder(); };
}

std::shared_ptr<MyWalletEditViewController> MyWalletEditViewController::forCard(
    const json::Value& card) {
  auto screen = std::make_shared<MyWalletEditViewController>();
  screen->setEditBillingDictionary(card);
  screen->setNewAddress(!card.isObject());
  return screen;
}

ui::TableView& MyWalletEditViewController::tableView() {
  view();
  return *table_;
}

ui::TextField* MyWalletEditViewController::field(const std::string& identifier) {
  auto it = fields_.find(identifier);
  return it == fields_.end() ? nullptr : it->second.get();
}

std::shared_ptr<ui::View> MyWalletEditViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void MyWalletEditViewController::viewDidLoad() {
  // The card-type picker and the number rules need the card types.
  platform::postTaskAndReply(
      platform::weakFrom(this), [] { WalletRequests::ensureCreditCardTypes(); },
      [](MyWalletEditViewController& screen) { screen.tableView().reloadData(); });
}

void MyWalletEditViewController::viewWillAppear(bool) {
  fillForm();
  tableView().reloadData();
  tableView().scrollToRowAtIndexPath({0, 0});
}

// Each appearance starts from the card being edited (a new card starts as a Visa card
// expiring in January of this year).
void MyWalletEditViewController::fillForm() {
  blankForm();
  auto& f = form();
  const json::Value& card = editBillingDictionary_;
  if (!card.isObject()) {
    f.setCardType(json::Value("Visa"));
    f.setExpirationDate(json::Value(RegistrationPickers::defaultExpirationDate()));
    modifiedCardNumber_.clear();
    return;
  }
  f.setCardType(json::Value(f.getCardNameForCardCode(card["cardType"])));
  modifiedCardNumber_ = WalletRequests::maskedCardNumber(card["cardNumber"]);
  f.setCardNumber(json::Value(modifiedCardNumber_));
  f.setExpirationDate(json::Value(card["cardExpirationDate"].str()));
  for (const BillingRow& row : kBillingRows) {
    if (row.key != nullptr) (f.*row.set)(json::Value(card[row.key].str()));
  }
  const json::Value code = card["billingState"];
  if (!isBlank(code)) f.setBillingState(f.stateForCode(code));
}

int MyWalletEditViewController::numberOfRowsInSection(ui::TableView&, int section) {
  return section == 0 ? 3 : kBillingRowCount;
}

std::string MyWalletEditViewController::titleForHeaderInSection(ui::TableView&, int section) {
  return section == 0 ? "credit card details:" : "primary billling information:";
}

std::shared_ptr<ui::TableViewCell> MyWalletEditViewController::pickerCell(
    const char* identifier, const char* label, std::string title, std::function<void()> show) {
  auto button = std::make_shared<ui::Button>(std::move(title),
                                             [show = std::move(show)](ui::Button&) { show(); });
  button->identifier = identifier;
  return labelledCell(label, true, button);
}

std::shared_ptr<ui::TableViewCell> MyWalletEditViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  auto& f = form();
  if (indexPath.section == 0) {
    if (indexPath.row == 0) {
      return pickerCell("cardType", "Card Type:", f.cardType().str(),
                        [this] { pickers_.showCardType(); });
    }
    if (indexPath.row == 2) {
      return pickerCell("expirationDate",
                        "Expiration Date:", RegistrationPickers::expiryTitle(f.expirationDate()),
                        [this] { pickers_.showExpiry(); });
    }
    auto& number = fields_[kCardNumber.identifier];
    bindToProfile(*number, &P::cardNumber, &P::setCardNumber);
    return labelledCell(kCardNumber.label, true, number);
  }
  const BillingRow& row = kBillingRows[indexPath.row];
  if (row.key == nullptr) {
    const json::Value chosen = f.billingState();
    return pickerCell("billingState",
                      "State:", isBlank(chosen) ? std::string("Select State") : chosen.str(),
                      [this] { pickers_.showState(&P::billingState, &P::setBillingState); });
  }
  auto& textField = fields_[row.spec.identifier];
  bindToProfile(*textField, row.get, row.set);
  return labelledCell(row.spec.label, row.spec.required, textField);
}

std::shared_ptr<ui::View> MyWalletEditViewController::viewForFooterInSection(ui::TableView&,
                                                                             int section) {
  if (section != 1) return nullptr;
  return buttonBar({std::make_shared<ui::Button>("SAVE", [this](ui::Button&) { save(); })});
}

bool MyWalletEditViewController::validateMyWallet() {
  auto& validation = MyAccountValidation::sharedMyAccountValidation();
  auto message =
      validation.validateMyWallet(form(), json::Value(modifiedCardNumber_), editBillingDictionary_);
  if (message) validation.sendAlertMessage(*message);
  return !message;
}

void MyWalletEditViewController::save() {
  gateway::guarded("-[MyWalletEditViewController save:]", [&] {
    ui::Window::shared().endEditing();
    // The rules put the stored number in place of an untouched masked one, for the body only:
    // the form keeps showing the number masked.
    const json::Value shown = form().cardNumber();
    const bool valid = validateMyWallet();
    const std::string body = WalletRequests::editWalletBody(form(), editBillingDictionary_);
    form().setCardNumber(shown);
    if (!valid || !storedLoginPair()) return;
    overlay_.show();
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [body] { return WalletRequests::updateEditMyWalletWithString(body); },
        [](MyWalletEditViewController& screen, AccountOutcome outcome) {
          screen.answered(outcome);
        });
  });
}

void MyWalletEditViewController::answered(AccountOutcome outcome) {
  overlay_.hide();
  tellIfFailed(outcome);
  // Only a confirmed save leaves; otherwise the shopper's typing stays to be corrected.
  if (outcome != AccountOutcome::Accepted) return;
  newAddress_ = false;
  blankForm();
  if (saved) saved();
  if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
}

}  // namespace kelda::account

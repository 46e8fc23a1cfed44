#include "account/MyAddressBookEditViewController.hpp"

#include "account/AccountEdit.hpp"
#include "account/AddressBookRequests.hpp"
#include "account/FormCells.hpp"
#include "account/MyAccountValidation.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "platform/TaskAndReply.hpp"
#include "ui/BarButtonItem.hpp"
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

struct AddressRow {
  FieldSpec spec;
  const char* key;  // the address record's key; nullptr for the state picker row
  ProfileGetter get;
  ProfileSetter set;
};

// The rows under the heading, top to bottom.
const AddressRow kRows[] = {
    {{"firstName", "First Name:", "Enter First Name", true},
     "firstName",
     &P::firstName,
     &P::setFirstName},
    {{"lastName", "Last Name:", "Enter Last Name", true},
     "lastName",
     &P::lastName,
     &P::setLastName},
    {{"address1", "Address Line 1:", "Enter Address Line 1", true},
     "address1",
     &P::address1,
     &P::setAddress1},
    {{"address2", "Address Line 2:", "Enter Address Line 2"},
     "address2",
     &P::address2,
     &P::setAddress2},
    {{"city", "City:", "Enter City", true}, "city", &P::city, &P::setCity},
    {{"state", "State:", "Select State", true}, nullptr, &P::state, &P::setState},
    {{"zipcode", "Zip Code:", "Enter Zipcode", true, false, ui::KeyboardType::NumberPad},
     "zipcode",
     &P::zipcode,
     &P::setZipcode},
    {{"phoneNumber", "Phone Number", "Enter your phone number", false, false,
      ui::KeyboardType::PhonePad},
     "phone",
     &P::phoneNumber,
     &P::setPhoneNumber},
};
constexpr int kRowCount = static_cast<int>(std::size(kRows));

}  // namespace

MyAddressBookEditViewController::MyAddressBookEditViewController()
    : pickers_([this] { tableView().reloadData(); }) {
  setTitle("My Account");
  for (const AddressRow& row : kRows) {
    if (row.key != nullptr) fields_[row.spec.identifier] = makeTextField(row.spec);
  }
}

std::shared_ptr<MyAddressBookEditViewController> MyAddressBookEditViewController::forAddress(
    const json::Value& address) {
  auto screen = std::make_shared<MyAddressBookEditViewController>();
  screen->setEditAddressDictionary(address);
  return screen;
}

ui::TableView& MyAddressBookEditViewController::tableView() {
  view();
  return *table_;
}

ui::TextField* MyAddressBookEditViewController::field(const std::string& identifier) {
  auto it = fields_.find(identifier);
  return it == fields_.end() ? nullptr : it->second.get();
}

std::shared_ptr<ui::View> MyAddressBookEditViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void MyAddressBookEditViewController::viewWillAppear(bool) {
  navigationItem().hidesBackButton = false;
  fillForm();
  tableView().reloadData();
  tableView().scrollToRowAtIndexPath({0, 0});
}

// Each appearance starts from the address being edited (a new address starts blank).
void MyAddressBookEditViewController::fillForm() {
  auto& f = form();
  for (const AddressRow& row : kRows) {
    (f.*row.set)(row.key ? json::Value(editAddressDictionary_[row.key].str()) : json::Value(""));
  }
  const json::Value code = editAddressDictionary_["state"];
  if (!isBlank(code)) f.setState(f.stateForCode(code));
}

int MyAddressBookEditViewController::numberOfRowsInSection(ui::TableView&, int) {
  return kRowCount + 1;
}

std::shared_ptr<ui::TableViewCell> MyAddressBookEditViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  if (indexPath.row == 0) return captionCell("my address book");
  const AddressRow& row = kRows[indexPath.row - 1];
  if (row.key == nullptr) {
    const json::Value chosen = form().state();
    auto button = std::make_shared<ui::Button>(
        isBlank(chosen) ? std::string("Select State") : chosen.str(),
        [this](ui::Button&) { pickers_.showState(&P::state, &P::setState); });
    button->identifier = "state";
    return labelledCell(row.spec.label, true, button);
  }
  auto& textField = fields_[row.spec.identifier];
  bindToProfile(*textField, row.get, row.set);
  return labelledCell(row.spec.label, row.spec.required, textField);
}

std::shared_ptr<ui::View> MyAddressBookEditViewController::viewForFooterInSection(ui::TableView&,
                                                                                  int) {
  return buttonBar(
      {std::make_shared<ui::Button>("SAVE", [this](ui::Button&) { saveButtonPressed(); })});
}

bool MyAddressBookEditViewController::validateMyAddressBook() {
  auto& validation = MyAccountValidation::sharedMyAccountValidation();
  auto message = validation.validateMyAddressBook(form());
  if (message) validation.sendAlertMessage(*message);
  return !message;
}

void MyAddressBookEditViewController::saveButtonPressed() {
  gateway::guarded("-[MyAddressBookEditViewController saveButtonPressed:]", [&] {
    ui::Window::shared().endEditing();
    if (!validateMyAddressBook() || !storedLoginPair()) return;
    isEditable_ = false;
    navigationItem().hidesBackButton = true;
    overlay_.show();
    const std::string body = AddressBookRequests::editShippingBody(form(), editAddressDictionary_);
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [body] { return AddressBookRequests::updateEditMyAddressWithString(body); },
        [](MyAddressBookEditViewController& screen, AccountOutcome outcome) {
          screen.answered(outcome);
        });
  });
}

void MyAddressBookEditViewController::answered(AccountOutcome outcome) {
  isEditable_ = true;
  navigationItem().hidesBackButton = false;
  overlay_.hide();
  tellIfFailed(outcome);
  // Only a confirmed save leaves; otherwise the shopper's typing stays to be corrected.
  if (outcome != AccountOutcome::Accepted) return;
  for (const AddressRow& row : kRows) (form().*row.set)(json::Value(""));
  if (saved) saved();
  if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
}

}  // namespace kelda::account

#include "account/MyProfileViewController.hpp"

#include "account/AccountEdit.hpp"
#include "account/FormCells.hpp"
#include "account/MyAccountValidation.hpp"
#include "account/ProfileRequests.hpp"
#include "gateway/Components.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "platform/TaskAndReply.hpp"
#include "support/PoliciesViewController.hpp"
#include "support/RetailerPages.hpp"
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

enum class Kind { Text, BirthDate, Gender, Subscribe };

struct ProfileRow {
  Kind kind;
  FieldSpec spec;
  const char* key;  // the profileDictionary key the row shows and starts from
  ProfileGetter get;
  ProfileSetter set;
};

// The form's rows, top to bottom.
const ProfileRow kEditRows[] = {
    {Kind::Text,
     {"firstName", "First Name:", "Enter First Name", true},
     "firstName",
     &P::firstName,
     &P::setFirstName},
    {Kind::Text,
     {"lastName", "Last Name:", "Enter Last Name", true},
     "lastName",
     &P::lastName,
     &P::setLastName},
    {Kind::Text,
     {"emailAddress", "Email Address:", "Enter Email Address", true, false,
      ui::KeyboardType::Email},
     "emailAddress",
     &P::emailAddress,
     &P::setEmailAddress},
    {Kind::Text,
     {"password", "Password:", "Enter Password", true, true},
     nullptr,
     &P::password,
     &P::setPassword},
    {Kind::Text,
     {"verifyPassword", "Verify Password:", "Enter Verify Password", true, true},
     nullptr,
     &P::verifyPassword,
     &P::setVerifyPassword},
    {Kind::Text,
     {"address1", "Address Line 1:", "Enter Address Line 1", true},
     "address1",
     &P::address1,
     &P::setAddress1},
    {Kind::Text,
     {"address2", "Address Line 2:", "Enter Address Line 2"},
     "address2",
     &P::address2,
     &P::setAddress2},
    {Kind::Text,
     {"zipcode", "Zip Code:", "Enter Zipcode", true},
     "zipcode",
     &P::zipcode,
     &P::setZipcode},
    {Kind::BirthDate,
     {"birthDate", "Birth Date:", ""},
     "dateOfBirth",
     &P::birthDate,
     &P::setBirthDate},
    {Kind::Gender, {"gender", "Gender:", ""}, "gender", &P::gender, &P::setGender},
    {Kind::Subscribe, {"subscribe", "", ""}, nullptr, nullptr, nullptr},
};
constexpr int kEditRowCount = static_cast<int>(std::size(kEditRows));

// The rows shown under the heading: label and profileDictionary key.
constexpr std::pair<const char*, const char*> kShowRows[] = {
    {"First Name:", "firstName"},       {"Last Name:", "lastName"},
    {"Email Address:", "emailAddress"}, {"Address Line 1:", "address1"},
    {"Address Line 2:", "address2"},    {"Zip Code:", "zipcode"},
    {"Birth Date:", "dateOfBirth"},     {"Gender:", "gender"}};

// The edited fields, blank whenever the screen is not editing.
void blankForm() {
  for (const ProfileRow& row : kEditRows) {
    if (row.set != nullptr) (form().*row.set)(json::Value(""));
  }
}

}  // namespace

MyProfileViewController::MyProfileViewController()
    : pickers_([this] { tableView().reloadData(); }) {
  setTitle("My Account");
  for (const ProfileRow& row : kEditRows) {
    if (row.kind == Kind::Text) fields_[row.spec.identifier] = makeTextField(row.spec);
  }
  subscribe_ = std::make_shared<ui::Switch>(false);
  subscribe_->identifier = "subscribe";
}

ui::TableView& MyProfileViewController::tableView() {
  view();
  return *table_;
}

ui::TextField* MyProfileViewController::field(const std::string& identifier) {
  auto it = fields_.find(identifier);
  return it == fields_.end() ? nullptr : it->second.get();
}

std::shared_ptr<ui::View> MyProfileViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void MyProfileViewController::viewWillAppear(bool) {
  navigationItem().hidesBackButton = true;
  navigationItem().leftBarButtonItem =
      std::make_shared<ui::BarButtonItem>("Back", [this] { back(); });
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
  showShowing();
}

void MyProfileViewController::viewWillDisappear(bool) {
  blankForm();
  navigationItem().rightBarButtonItem.reset();
}

// Showing mode: the stored profile, the Edit button, the switch as the profile says.
void MyProfileViewController::showShowing() {
  isEditable_ = false;
  navigationItem().rightBarButtonItem =
      std::make_shared<ui::BarButtonItem>("Edit", [this] { edit(); });
  subscribe_->on = form().profileDictionary()["subscriptionFlag"].intValue() != 0;
  tableView().reloadData();
  tableView().scrollToRowAtIndexPath({0, 0});
}

int MyProfileViewController::numberOfSectionsInTableView(ui::TableView&) {
  return isEditable_ ? 1 : 2;
}

int MyProfileViewController::numberOfRowsInSection(ui::TableView&, int section) {
  if (isEditable_) return kEditRowCount;
  return section == 0 ? static_cast<int>(std::size(kShowRows)) + 1 : 1;
}

std::shared_ptr<ui::TableViewCell> MyProfileViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  if (isEditable_) return editingCell(indexPath.row);
  if (indexPath.section == 1) return policyCell("Privacy policy.");
  return showingCell(indexPath.row);
}

std::shared_ptr<ui::TableViewCell> MyProfileViewController::showingCell(int row) {
  if (row == 0) return captionCell("my profile");
  const auto [label, key] = kShowRows[row - 1];
  const json::Value value = form().profileDictionary()[key];
  auto cell = std::make_shared<ui::TableViewCell>(ui::CellStyle::Value1);
  cell->selectionStyle = ui::CellSelectionStyle::None;
  cell->textLabel().text = label;
  cell->detailTextLabel().text =
      std::string(key) == "gender" ? ProfileRequests::genderName(value) : value.str();
  return cell;
}

std::shared_ptr<ui::TableViewCell> MyProfileViewController::editingCell(int index) {
  const ProfileRow& row = kEditRows[index];
  auto pickerButton = [&](std::function<void()> show) {
    auto button = std::make_shared<ui::Button>((form().*row.get)().str(),
                                               [show = std::move(show)](ui::Button&) { show(); });
    button->identifier = row.spec.identifier;
    return labelledCell(row.spec.label, true, button);
  };
  switch (row.kind) {
    case Kind::Text: {
      auto& textField = fields_[row.spec.identifier];
      bindToProfile(*textField, row.get, row.set);
      return labelledCell(row.spec.label, row.spec.required, textField);
    }
    case Kind::BirthDate:
      return pickerButton([this] { pickers_.showBirthDate(); });
    case Kind::Gender:
      return pickerButton([this] { pickers_.showGender(); });
    case Kind::Subscribe:
      break;
  }
  auto cell = controlCell(subscribe_);
  cell->textLabel().text = "Subscribe to keldas' exclusive sales and events:";
  cell->textLabel().numberOfLines = 2;
  return cell;
}

std::shared_ptr<ui::View> MyProfileViewController::viewForFooterInSection(ui::TableView&, int) {
  if (!isEditable_) return nullptr;
  return buttonBar({std::make_shared<ui::Button>("CANCEL", [this](ui::Button&) { cancel(); }),
                    std::make_shared<ui::Button>("SAVE", [this](ui::Button&) { save(); })});
}

void MyProfileViewController::didSelectRowAtIndexPath(ui::TableView& table,
                                                      ui::IndexPath indexPath) {
  table.deselectRowAtIndexPath(indexPath);
  if (!isEditable_ && indexPath.section == 1) {
    support::openRetailerPage(*this, support::kPrivacyPolicyPath);
  }
}

void MyProfileViewController::edit() {
  isEditable_ = true;
  navigationItem().rightBarButtonItem.reset();
  blankForm();
  // The form starts from the stored profile and the stored password.
  const json::Value profile = form().profileDictionary();
  for (const ProfileRow& row : kEditRows) {
    if (row.key == nullptr) continue;
    const json::Value value = profile[row.key];
    (form().*row.set)(
        json::Value(row.kind == Kind::Gender ? ProfileRequests::genderName(value) : value.str()));
  }
  const std::string password = storedLoginPair().value_or(LoginPair{}).password;
  form().setPassword(json::Value(password));
  form().setVerifyPassword(json::Value(password));
  tableView().reloadData();
  tableView().scrollToRowAtIndexPath({0, 0});
}

void MyProfileViewController::cancel() {
  ui::Window::shared().endEditing();
  blankForm();
  showShowing();
}

void MyProfileViewController::back() {
  if (isEditable_) return cancel();
  if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
}

bool MyProfileViewController::validateMyProfile() {
  auto& validation = MyAccountValidation::sharedMyAccountValidation();
  auto message = validation.validateMyProfile(form());
  if (message) validation.sendAlertMessage(*message);
  return !message;
}

void MyProfileViewController::save() {
  gateway::guarded("-[MyProfileViewController save:]", [&] {
    ui::Window::shared().endEditing();
    if (!validateMyProfile()) return;
    if (!storedLoginPair()) {
      // Nothing can be sent for a shopper without a stored log-in.
      blankForm();
      return showShowing();
    }
    overlay_.show();
    const std::string body = ProfileRequests::editProfileBody(form(), subscribe_->on);
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [body] { return ProfileRequests::updateEditMyProfileWithString(body); },
        [](MyProfileViewController& screen, AccountOutcome outcome) { screen.answered(outcome); });
  });
}

void MyProfileViewController::answered(AccountOutcome outcome) {
  overlay_.hide();
  tellIfFailed(outcome);
  // Only a confirmed save changes the stored log-in and leaves the form.
  if (outcome != AccountOutcome::Accepted) return;
  if (!form().profileDictionary().empty()) {
    gateway::Components::sharedInstance().saveLoginAccount(form().emailAddress().str() + ";" +
                                                           form().password().str());
  }
  blankForm();
  showShowing();
}

}  // namespace kelda::account

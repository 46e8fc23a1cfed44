#include "account/RegistrationViewController.hpp"

#include <vector>

#include "account/FormCells.hpp"
#include "account/MyAccountValidation.hpp"
#include "account/SignInRequests.hpp"
#include "account/WalletRequests.hpp"
#include "gateway/Components.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/Wire.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/TaskAndReply.hpp"
#include "support/PoliciesViewController.hpp"
#include "support/RetailerPages.hpp"
#include "ui/AlertView.hpp"
#include "ui/BarButtonItem.hpp"
#include "ui/Label.hpp"
#include "ui/NavigationController.hpp"
#include "ui/NetworkActivityIndicator.hpp"
#include "ui/TabBarController.hpp"
#include "ui/Window.hpp"

namespace kelda::account {
namespace {

using gateway::Components;
using gateway::GlobalFlags;
using gateway::TarnObjects;
using gateway::TarnServerAPIs;
using gateway::UserProfileDetails;
using ui::KeyboardType;
using P = UserProfileDetails;

UserProfileDetails& form() {
  return UserProfileDetails::sharedUserProfileObject();
}

void alert(const std::string& message) {
  Components::sharedInstance().showAlertWithMessage(message);
}

struct TextRow {
  FieldSpec spec;
  ProfileGetter get;
  ProfileSetter set;
};

// Every text field of the form, by the profile field it fills.
const TextRow kTextRows[] = {
    {{"firstName", "First Name:", "Enter First Name", true}, &P::firstName, &P::setFirstName},
    {{"lastName", "Last Name:", "Enter Last Name", true}, &P::lastName, &P::setLastName},
    {{"emailAddress", "Email Address:", "Enter Email Address", true, false, KeyboardType::Email},
     &P::emailAddress,
     &P::setEmailAddress},
    {{"password", "Password:", "Enter Password", true, true}, &P::password, &P::setPassword},
    {{"verifyPassword", "Verify Password:", "Re Enter Password", true, true},
     &P::verifyPassword,
     &P::setVerifyPassword},
    {{"address1", "Address Line 1:", "Enter Address Line 1", true}, &P::address1, &P::setAddress1},
    {{"address2", "Address Line 2:", "Enter Address Line 2"}, &P::address2, &P::setAddress2},
    {{"city", "City:", "Enter City", true}, &P::city, &P::setCity},
    {{"zipcode", "Zip Code:", "Enter Zip Code", true}, &P::zipcode, &P::setZipcode},
    {{"phoneNumber", "Phone Number:", "Enter Phone Number", false, false, KeyboardType::PhonePad},
     &P::phoneNumber,
     &P::setPhoneNumber},
    // The card number is shown as bullets, like a password.
    {{"cardNumber", "Card Number:", "Enter Card Number", true, true, KeyboardType::NumberPad},
     &P::cardNumber,
     &P::setCardNumber},
    {{"billingAddress1", "Address Line 1:", "Enter Address Line 1", true},
     &P::billingAddress1,
     &P::setBillingAddress1},
    {{"billingAddress2", "Address Line 2:", "Enter Address Line 2"},
     &P::billingAddress2,
     &P::setBillingAddress2},
    {{"billingCity", "City:", "Enter City", true}, &P::billingCity, &P::setBillingCity},
    {{"billingZipcode", "Zip Code:", "Enter Zip Code", true},
     &P::billingZipcode,
     &P::setBillingZipcode},
    {{"billingPhoneNumber", "Phone Number:", "Enter Phone Number", true, false,
      KeyboardType::PhonePad},
     &P::billingPhoneNumber,
     &P::setBillingPhoneNumber},
};

const TextRow& textRow(const std::string& identifier) {
  for (const TextRow& row : kTextRows) {
    if (identifier == row.spec.identifier) return row;
  }
  return kTextRows[0];
}

// The form fields setUserProfileDataToNil empties.
constexpr ProfileSetter kFormSetters[] = {&P::setFirstName,
                                          &P::setLastName,
                                          &P::setEmailAddress,
                                          &P::setPassword,
                                          &P::setVerifyPassword,
                                          &P::setBirthDate,
                                          &P::setGender,
                                          &P::setAddress1,
                                          &P::setAddress2,
                                          &P::setCity,
                                          &P::setState,
                                          &P::setZipcode,
                                          &P::setPhoneNumber,
                                          &P::setBillingAddress1,
                                          &P::setBillingAddress2,
                                          &P::setBillingCity,
                                          &P::setBillingState,
                                          &P::setBillingZipcode,
                                          &P::setBillingPhoneNumber,
                                          &P::setCardType,
                                          &P::setCardNumber,
                                          &P::setExpirationDate};

bool isEmpty(const json::Value& value) {
  return value.isAbsent() || value.isNull() || value.text().empty();
}

void storeDefault(ProfileGetter get, ProfileSetter set, const std::string& text) {
  if (isEmpty((form().*get)())) (form().*set)(json::Value(text));
}

std::string stateCodeOf(const json::Value& name) {
  return form().codeForState(name).str();
}

enum class RowKind {
  Text,
  BirthDate,
  Gender,
  Subscribe,
  State,
  BillingState,
  PrimaryBilling,
  Expiry,
  CardType,
  UseShipping,
  Policy
};

using Section = std::vector<FormRow>;

}  // namespace

struct FormRow {
  RowKind kind;
  const char* key = nullptr;   // the text field's identifier, or the policy page's name
  const char* path = nullptr;  // the policy page's path
};

namespace {

FormRow text(const char* identifier) {
  return {RowKind::Text, identifier};
}
FormRow policy(const char* name, const char* path) {
  return {RowKind::Policy, name, path};
}

// The sections of each step, top to bottom.
const std::vector<Section>& sectionsOf(RegistrationViewController::Step step) {
  using Step = RegistrationViewController::Step;
  static const std::vector<Section> profile = {
      {text("firstName"),
       text("lastName"),
       text("emailAddress"),
       text("password"),
       text("verifyPassword"),
       {RowKind::BirthDate},
       {RowKind::Gender},
       {RowKind::Subscribe}},
      {policy("Privacy policy.", support::kPrivacyPolicyPath)}};
  static const std::vector<Section> address = {
      {text("address1"),
       text("address2"),
       text("city"),
       {RowKind::State},
       text("zipcode"),
       {RowKind::PrimaryBilling}},
      {text("phoneNumber")},
      {policy("Shipping policy.", support::kShippingPolicyPath)},
      {policy("Return policy.", support::kReturnPolicyPath)}};
  static const std::vector<Section> wallet = {
      {text("cardNumber"), {RowKind::Expiry}, {RowKind::CardType}},
      {{RowKind::UseShipping},
       text("billingAddress1"),
       text("billingAddress2"),
       text("billingCity"),
       {RowKind::BillingState},
       text("billingZipcode")},
      {text("billingPhoneNumber")},
      {policy("Legal policy.", support::kLegalPolicyPath)}};
  switch (step) {
    case Step::Profile:
      return profile;
    case Step::Address:
      return address;
    case Step::Wallet:
      break;
  }
  return wallet;
}

}  // namespace

RegistrationViewController::RegistrationViewController()
    : pickers_([this] { tableView().reloadData(); }) {
  setTitle("Create Profile");
  for (const TextRow& row : kTextRows) fields_[row.spec.identifier] = makeTextField(row.spec);
  subscribe_ = std::make_shared<ui::Switch>(true);
  subscribe_->identifier = "subscribe";
  primaryBilling_ = std::make_shared<ui::CheckBox>("Mark this as primary billing address.");
  primaryBilling_->identifier = "primaryBilling";
  primaryBilling_->valueChanged = [](ui::CheckBox& box) {
    form().setMarkedAsBillingAddress(box.checked);
  };
  useShippingAddress_ = std::make_shared<ui::CheckBox>("Use my Shipping Address", true);
  useShippingAddress_->identifier = "useShippingAddress";
  useShippingAddress_->valueChanged = [this](ui::CheckBox& box) {
    toggleUseShippingAddress(box.checked);
  };
  pickers_.cardTypeChosen = [this] { fields_["cardNumber"]->becomeFirstResponder(); };
  platform::NotificationCenter::defaultCenter().addObserver(
      "ResignKeyboard", this,
      [](const platform::Notification&) { ui::Window::shared().endEditing(); });
}

RegistrationViewController::~RegistrationViewController() {
  platform::NotificationCenter::defaultCenter().removeObserver(this);
}

ui::TableView& RegistrationViewController::tableView() {
  view();
  return *table_;
}

ui::TextField* RegistrationViewController::field(const std::string& identifier) {
  auto it = fields_.find(identifier);
  return it == fields_.end() ? nullptr : it->second.get();
}

std::shared_ptr<ui::View> RegistrationViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  auto steps = root->add<ui::View>();
  const char* titles[] = {"my profile", "my address", "my wallet"};
  for (int i = 0; i < 3; ++i) stepButtons_[i] = steps->add<ui::Button>(titles[i]);
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void RegistrationViewController::viewDidLoad() {
  form().setMarkedAsShippingAddress(true);
  // The card types must be at hand for the card step.
  platform::postTaskAndReply(
      platform::weakFrom(this),
      [] {
        const json::Value types = form().creditCardTypes();
        if (types.isAbsent()) {
          TarnServerAPIs::sharedInstance().getCreditCardTypes();
        } else if (types.size() > 1) {
          form().populateCreditCardTypes();
        }
      },
      [](RegistrationViewController&) {});
}

void RegistrationViewController::viewWillAppear(bool) {
  GlobalFlags::shared().clickedFromRegistrationPage = 6001;
  TarnObjects::sharedInstance().setValidateFlagDict({});
  setTitle("Register");
  if (!backButton_) {
    backButton_ = std::make_shared<ui::BarButtonItem>("Back", [this] { previous(); });
  }
  navigationItem().hidesBackButton = true;
  navigationItem().leftBarButtonItem = backButton_;
  if (closed_) {
    // A finished or abandoned registration: the next shopper starts a new form.
    setUserProfileDataToNil();
    closed_ = false;
    step_ = Step::Profile;
  }
  if (step_ != Step::Wallet) {
    TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kCreatePageId);
  }
  showStep(step_);
}

void RegistrationViewController::viewWillDisappear(bool) {
  // The own back button belongs to this screen's turn on top; the standard one comes back.
  navigationItem().leftBarButtonItem = nullptr;
  navigationItem().hidesBackButton = false;
}

void RegistrationViewController::showStep(Step step) {
  step_ = step;
  for (int i = 0; i < 3; ++i) stepButtons_[i]->selected = i == static_cast<int>(step);
  if (step == Step::Wallet) {
    TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kCardPageId);
  }
  tableView().reloadData();
}

// ---- rows ----

const FormRow& RegistrationViewController::rowAt(ui::IndexPath indexPath) const {
  return sectionsOf(
      step_)[static_cast<std::size_t>(indexPath.section)][static_cast<std::size_t>(indexPath.row)];
}

int RegistrationViewController::numberOfSectionsInTableView(ui::TableView&) {
  return static_cast<int>(sectionsOf(step_).size());
}

int RegistrationViewController::numberOfRowsInSection(ui::TableView&, int section) {
  if (step_ == Step::Wallet && section == 1) return billingRows_;
  return static_cast<int>(sectionsOf(step_)[static_cast<std::size_t>(section)].size());
}

std::shared_ptr<ui::TableViewCell> RegistrationViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  return makeCell(rowAt(indexPath));
}

std::shared_ptr<ui::Button> RegistrationViewController::pickerButton(const char* identifier,
                                                                     std::string title,
                                                                     std::function<void()> show) {
  auto button = std::make_shared<ui::Button>(std::move(title),
                                             [show = std::move(show)](ui::Button&) { show(); });
  button->identifier = identifier;
  return button;
}

std::shared_ptr<ui::TableViewCell> RegistrationViewController::makeCell(const FormRow& row) {
  auto& f = form();
  switch (row.kind) {
    case RowKind::Text: {
      const TextRow& spec = textRow(row.key);
      auto& textField = *fields_[row.key];
      bindToProfile(textField, spec.get, spec.set);
      return labelledCell(spec.spec.label, spec.spec.required, fields_[row.key]);
    }
    case RowKind::BirthDate:
      storeDefault(&P::birthDate, &P::setBirthDate, RegistrationPickers::defaultBirthDate());
      return labelledCell(
          "Birth Date:", true,
          pickerButton("birthDate", f.birthDate().str(), [this] { pickers_.showBirthDate(); }));
    case RowKind::Gender:
      storeDefault(&P::gender, &P::setGender, "Male");
      return labelledCell("Gender:", false, pickerButton("gender", f.gender().str(), [this] {
                            pickers_.showGender();
                          }));
    case RowKind::Subscribe: {
      auto cell = controlCell(subscribe_);
      cell->textLabel().text = "Subscribe to keldas' exclusive sales and events:";
      cell->textLabel().numberOfLines = 2;
      return cell;
    }
    case RowKind::State:
    case RowKind::BillingState: {
      const bool billing = row.kind == RowKind::BillingState;
      const json::Value chosen = billing ? f.billingState() : f.state();
      const ProfileGetter get = billing ? &P::billingState : &P::state;
      const ProfileSetter set = billing ? &P::setBillingState : &P::setState;
      return labelledCell("State:", true,
                          pickerButton(billing ? "billingState" : "state",
                                       isEmpty(chosen) ? "Select State" : chosen.str(),
                                       [this, get, set] { pickers_.showState(get, set); }));
    }
    case RowKind::PrimaryBilling:
      primaryBilling_->checked = f.markedAsBillingAddress();
      return controlCell(primaryBilling_);
    case RowKind::Expiry:
      storeDefault(&P::expirationDate, &P::setExpirationDate,
                   RegistrationPickers::defaultExpirationDate());
      return labelledCell(
          "Expiration Date:", true,
          pickerButton("expirationDate", RegistrationPickers::expiryTitle(f.expirationDate()),
                       [this] { pickers_.showExpiry(); }));
    case RowKind::CardType:
      storeDefault(&P::cardType, &P::setCardType, "Visa");
      return labelledCell("Card Type:", true, pickerButton("cardType", f.cardType().str(), [this] {
                            pickers_.showCardType();
                          }));
    case RowKind::UseShipping: {
      useShippingAddress_->checked = f.markedAsShippingAddress();
      auto cell = controlCell(useShippingAddress_);
      cell->selectionStyle = ui::CellSelectionStyle::Blue;
      return cell;
    }
    case RowKind::Policy:
      break;
  }
  return policyCell(row.key);
}

std::shared_ptr<ui::View> RegistrationViewController::viewForFooterInSection(ui::TableView&,
                                                                             int section) {
  const int buttonsUnder = step_ == Step::Profile ? 0 : step_ == Step::Address ? 1 : 3;
  if (section != buttonsUnder) return nullptr;
  auto cancel =
      std::make_shared<ui::Button>("CANCEL", [this](ui::Button&) { cancelButtonPressed(); });
  switch (step_) {
    case Step::Profile:
      return buttonBar({cancel, std::make_shared<ui::Button>(
                                    "CONTINUE", [this](ui::Button&) { continueButtonPressed(); })});
    case Step::Address:
      return buttonBar({cancel, std::make_shared<ui::Button>("CREATE PROFILE", [this](ui::Button&) {
                          createProfileButtonPressed();
                        })});
    case Step::Wallet:
      break;
  }
  return buttonBar({cancel, std::make_shared<ui::Button>(
                                "FINISH", [this](ui::Button&) { finishButtonPressed(); })});
}

void RegistrationViewController::didSelectRowAtIndexPath(ui::TableView& table,
                                                         ui::IndexPath indexPath) {
  table.deselectRowAtIndexPath(indexPath);
  const FormRow& row = rowAt(indexPath);
  if (row.kind == RowKind::UseShipping) {
    useShippingAddress_->toggle();
  } else if (row.kind == RowKind::Policy) {
    support::openRetailerPage(*this, row.path);
  }
}

// ---- the form ----

void RegistrationViewController::toggleUseShippingAddress(bool checked) {
  auto& f = form();
  if (checked) {
    f.setBillingAddress1(f.address1());
    f.setBillingAddress2(f.address2());
    f.setBillingCity(f.city());
    f.setBillingState(f.state());
    f.setBillingZipcode(f.zipcode());
    f.setBillingPhoneNumber(f.phoneNumber());
  } else {
    for (ProfileSetter set :
         {&P::setBillingAddress1, &P::setBillingAddress2, &P::setBillingCity, &P::setBillingState,
          &P::setBillingZipcode, &P::setBillingPhoneNumber}) {
      (f.*set)({});
    }
  }
  f.setMarkedAsShippingAddress(checked);
  billingRows_ = checked ? 1 : 6;
  tableView().reloadData();
}

void RegistrationViewController::setUserProfileDataToNil() {
  auto& f = form();
  for (ProfileSetter set : kFormSetters) (f.*set)({});
  f.setMarkedAsShippingAddress(true);
  subscribe_->on = true;
  billingRows_ = 1;
}

bool RegistrationViewController::validateMyProfileTab() {
  auto& validation = MyAccountValidation::sharedMyAccountValidation();
  auto message = validation.validateMyProfileTab(form());
  if (message) validation.sendAlertMessage(*message);
  return !message;
}

bool RegistrationViewController::validateMyAddressTab() {
  auto& validation = MyAccountValidation::sharedMyAccountValidation();
  auto message = validation.validateMyAddressTab(form());
  if (message) validation.sendAlertMessage(*message);
  return !message;
}

bool RegistrationViewController::validateMyWalletTab() {
  auto& validation = MyAccountValidation::sharedMyAccountValidation();
  auto message = validation.validateMyWalletTab(form());
  if (message) validation.sendAlertMessage(*message);
  return !message;
}

bool RegistrationViewController::validateDate() {
  return MyAccountValidation::sharedMyAccountValidation().validateDate(form().birthDate());
}

// ---- actions ----

void RegistrationViewController::continueButtonPressed() {
  ui::Window::shared().endEditing();
  if (!validateMyProfileTab()) return;
  showStep(Step::Address);
  form().setMarkedSubscribeKeldas(subscribe_->on);
}

void RegistrationViewController::createProfileButtonPressed() {
  gateway::guarded("-[RegistrationViewController continueButtonPressed:]", [&] {
    ui::Window::shared().endEditing();
    if (!validateMyProfileTab() || !validateMyAddressTab()) return;
    overlay_.show();
    ui::setNetworkActivityIndicatorVisible(true);
    platform::postTaskAndReply(
        platform::weakFrom(this), [] { return RegistrationRequests::createProfile(); },
        [](RegistrationViewController& screen, RegistrationResult result) {
          screen.profileAnswered(result);
        });
  });
}

void RegistrationViewController::stopBusy() {
  overlay_.hide();
  ui::setNetworkActivityIndicatorVisible(false);
}

void RegistrationViewController::profileAnswered(const RegistrationResult& result) {
  if (result.outcome == AccountOutcome::NotSent) return stopBusy();
  if (result.outcome == AccountOutcome::Failed) {
    stopBusy();
    return alert(kUnexpectedErrorMessage);
  }
  // The server's verdict on each half of the form sends the shopper back to that step.
  const json::Value verdict = TarnObjects::sharedInstance().validateFlagDict();
  for (auto [key, step] :
       {std::pair{"profileFlag", Step::Profile}, std::pair{"shippingContactFlag", Step::Address}}) {
    if (verdict[key].str() == "1") continue;
    stopBusy();
    alert(form().statusDictionary()["error"].str());
    TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kCreatePageId);
    return showStep(step);
  }
  if (result.outcome != AccountOutcome::Accepted) {
    stopBusy();
    return alert(result.result.empty() ? std::string(kUnexpectedErrorMessage) : result.result);
  }
  signInAfterCreatingProfile();
}

void RegistrationViewController::signInAfterCreatingProfile() {
  const std::string email = form().emailAddress().str();
  const std::string password = form().password().str();
  platform::postTaskAndReply(
      platform::weakFrom(this), [email, password] { return SignInRequests::sign(email, password); },
      [email, password](RegistrationViewController& screen, AccountOutcome outcome) {
        if (outcome == AccountOutcome::Accepted) {
          Components::sharedInstance().saveLoginAccount(email + ";" + password);
        }
        screen.signedInAfterCreatingProfile(outcome);
      });
}

void RegistrationViewController::signedInAfterCreatingProfile(AccountOutcome outcome) {
  stopBusy();
  GlobalFlags::shared().loginSuccessful = outcome == AccountOutcome::Accepted;
  if (outcome == AccountOutcome::Failed) alert(kUnexpectedErrorMessage);
  if (outcome == AccountOutcome::Accepted) showProfileCreatedAlert();
}

void RegistrationViewController::showProfileCreatedAlert() {
  ui::AlertView created;
  created.message = kCreatedMessage;
  created.buttons = {"ADD CARD", "START SHOPPING"};
  created.clickedButtonAtIndex = [weak = platform::weakFrom(this)](int index) {
    auto screen = weak.lock();
    if (!screen) return;
    if (index == 0) {
      screen->billingRows_ = form().markedAsShippingAddress() ? 1 : 6;
      screen->showStep(Step::Wallet);
    } else {
      screen->setUserProfileDataToNil();
      screen->leave();
    }
  };
  ui::showAlert(std::move(created));
}

std::string RegistrationViewController::walletBody() {
  auto& f = form();
  if (isEmpty(f.billingAddress2())) f.setBillingAddress2(json::Value(""));
  const bool shipping = f.markedAsShippingAddress();
  const json::Value address1 = shipping ? f.address1() : f.billingAddress1();
  const json::Value address2 = shipping ? f.address2() : f.billingAddress2();
  const json::Value city = shipping ? f.city() : f.billingCity();
  const std::string state = stateCodeOf(shipping ? f.state() : f.billingState());
  const json::Value zipcode = shipping ? f.zipcode() : f.billingZipcode();
  return gateway::formatBody(
      gateway::endpointFor("updateEditMyWalletWithString").bodyFormat,
      {"", f.getCodeForCreditCard(f.cardType()), f.cardNumber().text(), f.expirationDate().text(),
       "", f.firstName().text(), f.lastName().text(), f.emailAddress().text(), address1.text(),
       address2.text(), city.text(), state, zipcode.text(), f.billingPhoneNumber().text(),
       f.emailAddress().text(), f.password().text()});
}

void RegistrationViewController::finishButtonPressed() {
  gateway::guarded("-[RegistrationViewController finish:]", [&] {
    ui::Window::shared().endEditing();
    if (!validateMyWalletTab()) return;
    overlay_.show();
    ui::setNetworkActivityIndicatorVisible(true);
    const std::string body = walletBody();
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [body] { return WalletRequests::updateEditMyWalletWithString(body); },
        [](RegistrationViewController& screen, AccountOutcome outcome) {
          screen.cardAnswered(outcome);
        });
  });
}

void RegistrationViewController::cardAnswered(AccountOutcome outcome) {
  stopBusy();
  if (outcome == AccountOutcome::Failed) alert(kUnexpectedErrorMessage);
  // Only a confirmed card closes the form; otherwise the shopper's typing stays.
  if (outcome != AccountOutcome::Accepted) return;
  setUserProfileDataToNil();
  leave();
}

void RegistrationViewController::cancelButtonPressed() {
  ui::AlertView question;
  question.message = step_ == Step::Wallet ? kCancelCardQuestion : kCancelProfileQuestion;
  question.buttons = {"YES", "NO"};
  question.clickedButtonAtIndex = [weak = platform::weakFrom(this)](int index) {
    auto screen = weak.lock();
    if (!screen || index != 0) return;
    screen->setUserProfileDataToNil();
    screen->leave();
  };
  ui::showAlert(std::move(question));
}

void RegistrationViewController::previous() {
  setUserProfileDataToNil();
  closed_ = true;
  if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
}

// Ends this registration: the home tab comes to the front and the screen leaves its stack.
void RegistrationViewController::leave() {
  closed_ = true;
  auto* navigation = navigationController();
  if (auto* tabs = tabBarController()) tabs->setSelectedIndex(0);
  if (navigation != nullptr) navigation->popViewControllerAnimated(true);
}

}  // namespace kelda::account

#include "account/LoginViewController.hpp"

#include "account/ForgetPasswordViewController.hpp"
#include "account/FormCells.hpp"
#include "account/RegistrationViewController.hpp"
#include "account/SignInRequests.hpp"
#include "gateway/Components.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/FieldCharacters.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/StoredLogin.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/TaskAndReply.hpp"
#include "ui/NavigationController.hpp"
#include "ui/NetworkActivityIndicator.hpp"
#include "ui/Window.hpp"

namespace kelda::account {
namespace {

using gateway::Components;
using gateway::GlobalFlags;

void alert(const std::string& message) {
  Components::sharedInstance().showAlertWithMessage(message);
}

bool isBlank(const std::string& text) {
  return gateway::everyCharacter(text, gateway::isAsciiBlank);
}

bool signedIn() {
  return GlobalFlags::shared().loginSuccessful;
}

}  // namespace

bool isAcceptableSignInPassword(const std::string& password) {
  const std::size_t length = gateway::utf16Length(password);
  return length >= 5 && length <= 16 && password.find(';') == std::string::npos;
}

LoginViewController::LoginViewController() {
  setTitle("Sign In");
  email_ = makeTextField({"email", "Email Address:", "Enter Email Address", false, false,
                          ui::KeyboardType::Email, ui::ReturnKeyType::Next});
  password_ = makeTextField({"password", "Password:", "Enter Password", false, true,
                             ui::KeyboardType::Default, ui::ReturnKeyType::Done});
  email_->shouldReturn = [this](ui::TextField& f) { returnPressed(f, "Email Address"); };
  password_->shouldReturn = [this](ui::TextField& f) { returnPressed(f, "Password"); };
}

ui::TableView& LoginViewController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> LoginViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void LoginViewController::viewWillAppear(bool) {
  if (signedIn()) {
    email_->enabled = false;
    email_->text = gateway::readStoredLogin()["loginUserName"].str();
  } else {
    email_->enabled = true;
    email_->text.clear();
  }
  password_->placeholder = "Enter Password";
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
  tableView().reloadData();
}

void LoginViewController::viewWillDisappear(bool) {
  password_->text.clear();
}

int LoginViewController::numberOfSectionsInTableView(ui::TableView&) {
  return signedIn() ? 1 : 2;
}

int LoginViewController::numberOfRowsInSection(ui::TableView&, int section) {
  return section == 0 ? 3 : 1;
}

std::shared_ptr<ui::TableViewCell> LoginViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  if (indexPath.section == 1) return captionCell("New Users please register here!");
  switch (indexPath.row) {
    case 0:
      return pageFlag == "ViewBag" ? captionCell("please signin to proceed to check out:", 2)
                                   : captionCell("sign in:");
    case 1:
      return labelledCell("Email Address:", false, email_);
    default:
      return labelledCell("Password:", false, password_);
  }
}

std::shared_ptr<ui::View> LoginViewController::viewForFooterInSection(ui::TableView&, int section) {
  if (section == 1) {
    return buttonBar(
        {std::make_shared<ui::Button>("REGISTER", [this](ui::Button&) { registration(); })});
  }
  const char* lower = signedIn() ? "CONTINUE CHECKOUT" : "SIGN IN";
  return buttonBar(
      {std::make_shared<ui::Button>("FORGOT PASSWORD", [this](ui::Button&) { forgotPassword(); }),
       std::make_shared<ui::Button>(lower, [this](ui::Button&) { signIn(); })});
}

void LoginViewController::returnPressed(ui::TextField& field, const char* fieldName) {
  if (field.text.empty() || isBlank(field.text)) {
    alert(std::string(fieldName) + " cannot be left empty. Please try again.");
    return;
  }
  // Whichever field the key was pressed in, the e-mail address decides.
  if (!Components::sharedInstance().validateEmail(email_->text)) {
    alert("Enter valid email address");
    return;
  }
  if (&field == email_.get()) {
    password_->becomeFirstResponder();
  } else {
    field.resignFirstResponder();
  }
}

void LoginViewController::signIn() {
  gateway::guarded("-[LoginViewController signIn:]", [&] {
    ui::Window::shared().endEditing();
    const std::string email = email_->text;
    const std::string password = password_->text;
    if (email.empty()) return alert("Email address field cannot be left empty. Please try again.");
    if (password.empty()) return alert("Password field cannot be left empty. Please try again.");
    if (!Components::sharedInstance().validateEmail(email)) return;
    if (!isAcceptableSignInPassword(password)) return alert("Please enter a valid password");
    overlay_.show();
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [email, password] { return SignInRequests::sign(email, password); },
        [email, password](LoginViewController& screen, AccountOutcome outcome) {
          screen.signInAnswered(outcome, email, password);
        });
  });
}

void LoginViewController::signInAnswered(AccountOutcome outcome, const std::string& email,
                                         const std::string& password) {
  overlay_.hide();
  ui::setNetworkActivityIndicatorVisible(false);
  // Only this request's confirmed answer signs the shopper in.
  if (outcome == AccountOutcome::Failed) alert(kUnexpectedErrorMessage);
  if (outcome != AccountOutcome::Accepted) return;
  GlobalFlags::shared().loginSuccessful = true;
  Components::sharedInstance().saveLoginAccount(email + ";" + password);
  if (GlobalFlags::shared().signinWhileCheckout) {
    platform::NotificationCenter::defaultCenter().postNotification(kGoToCheckoutNotification);
  } else if (auto* navigation = navigationController()) {
    navigation->popViewControllerAnimated(true);
  }
}

void LoginViewController::forgotPassword() {
  if (!forgetPassword_) forgetPassword_ = std::make_shared<ForgetPasswordViewController>();
  if (auto* navigation = navigationController()) navigation->pushViewController(forgetPassword_);
}

void LoginViewController::registration() {
  if (!registration_) registration_ = std::make_shared<RegistrationViewController>();
  if (auto* navigation = navigationController()) navigation->pushViewController(registration_);
}

}  // namespace kelda::account

#include "account/ForgetPasswordViewController.hpp"

#include "account/FormCells.hpp"
#include "account/SignInRequests.hpp"
#include "gateway/Components.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/TaskAndReply.hpp"
#include "ui/NavigationController.hpp"
#include "ui/Window.hpp"

namespace kelda::account {
namespace {

using gateway::Components;

// The retailer's web-shop name in the instruction line.
constexpr const char* kWebShopName = "Kelda";

}  // namespace

ForgetPasswordViewController::ForgetPasswordViewController() {
  setTitle("Forgot Password");
  email_ = makeTextField({"email", "Email Address:", "Email Address", false, false,
                          ui::KeyboardType::Email, ui::ReturnKeyType::Default});
}

ui::TableView& ForgetPasswordViewController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> ForgetPasswordViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void ForgetPasswordViewController::viewWillAppear(bool) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
  email_->text.clear();
  tableView().reloadData();
}

int ForgetPasswordViewController::numberOfRowsInSection(ui::TableView&, int) {
  return 3;
}

std::shared_ptr<ui::TableViewCell> ForgetPasswordViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  switch (indexPath.row) {
    case 0:
      return captionCell("forgot password:");
    case 1:
      return captionCell(std::string("To recieve your ") + kWebShopName +
                             " password via email, please enter your email address:",
                         0);
    default:
      return labelledCell("Email Address:", false, email_);
  }
}

std::shared_ptr<ui::View> ForgetPasswordViewController::viewForFooterInSection(ui::TableView&,
                                                                               int) {
  return buttonBar(
      {std::make_shared<ui::Button>("SUBMIT", [this](ui::Button&) { submitAction(); })});
}

void ForgetPasswordViewController::submitAction() {
  gateway::guarded("-[ForgetPasswordViewController submitAction]", [&] {
    ui::Window::shared().endEditing();
    const std::string email = email_->text;
    if (email.empty() || !Components::sharedInstance().validateEmail(email)) {
      Components::sharedInstance().showAlertWithMessage("Please enter valid Email Address!");
      return;
    }
    overlay_.show();
    platform::postTaskAndReply(
        platform::weakFrom(this), [email] { return SignInRequests::forgotPassword(email); },
        [email](ForgetPasswordViewController& screen, AccountOutcome outcome) {
          screen.answered(outcome, email);
        });
  });
}

void ForgetPasswordViewController::answered(AccountOutcome outcome, const std::string& email) {
  overlay_.hide();
  // Only this request's confirmed answer says the mail went out; the request has shown any
  // other message itself.
  if (outcome != AccountOutcome::Accepted) return;
  Components::sharedInstance().showAlertWithMessage("Your password has been sent to you at " +
                                                    email);
  if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
}

}  // namespace kelda::account

#include "stores/SavingsPassDocumentViewController.hpp"

#include <utility>

#include "ui/NetworkActivityIndicator.hpp"

namespace kelda::stores {

SavingsPassDocumentViewController::SavingsPassDocumentViewController(std::string pdfUrlString)
    : pdfUrlString_(std::move(pdfUrlString)) {
  setTitle(kTitle);
}

ui::WebView& SavingsPassDocumentViewController::webView() {
  view();
  return *web_;
}

const ui::Label& SavingsPassDocumentViewController::errorLabel() {
  view();
  return *error_;
}

std::shared_ptr<ui::View> SavingsPassDocumentViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  web_ = root->add<ui::WebView>();
  web_->scalesPageToFit = true;
  web_->didStartLoad = [](ui::WebView&) { ui::setNetworkActivityIndicatorVisible(true); };
  web_->didFinishLoad = [](ui::WebView&) { ui::setNetworkActivityIndicatorVisible(false); };
  error_ = root->add<ui::Label>();
  error_->textColor = ui::Color::rgb(1, 0, 0);
  error_->numberOfLines = 0;
  error_->hidden = true;
  web_->didFailLoad = [error = error_](ui::WebView&, const std::string& description) {
    ui::setNetworkActivityIndicatorVisible(false);
    error->text = "An error occurred:\n" + description;
    error->hidden = false;
  };
  return root;
}

void SavingsPassDocumentViewController::viewWillAppear(bool) {
  error_->hidden = true;
  web_->loadRequest(pdfUrlString_);
}

void SavingsPassDocumentViewController::viewWillDisappear(bool) {
  ui::setNetworkActivityIndicatorVisible(false);
}

}  // namespace kelda::stores

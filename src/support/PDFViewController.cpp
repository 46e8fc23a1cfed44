#include "support/PDFViewController.hpp"

#include "support/RetailerPages.hpp"
#include "ui/NetworkActivityIndicator.hpp"

namespace kelda::support {

PDFViewController::PDFViewController() {
  setTitle("Instore Savings Pass");
}

ui::WebView& PDFViewController::webView() {
  view();
  return *webView_;
}

std::string PDFViewController::errorPage(const std::string& description) {
  // The description comes from outside (the network layer, the server): escaped, it can only
  // ever be text on the page.
  return "<html><center><font size=+5 color='red'>An error occurred:<br>" +
         escapeHTML(description) + "</font></center></html>";
}

std::string PDFViewController::errorPageURL(const std::string& description) {
  return "data:text/html;charset=utf-8," + escapeURLValue(errorPage(description));
}

std::shared_ptr<ui::View> PDFViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  webView_ = root->add<ui::WebView>();
  webView_->scalesPageToFit = true;
  webView_->didFinishLoad = [](ui::WebView&) { ui::setNetworkActivityIndicatorVisible(false); };
  webView_->didFailLoad = [](ui::WebView& web, const std::string& error) {
    ui::setNetworkActivityIndicatorVisible(false);
    // The error page itself never fails over to another error page.
    if (web.url().rfind("data:", 0) != 0) web.loadRequest(errorPageURL(error));
  };
  return root;
}

void PDFViewController::viewWillAppear(bool) {
  ui::setNetworkActivityIndicatorVisible(true);
  webView().loadRequest(pdfUrlString);
}

void PDFViewController::viewWillDisappear(bool) {
  ui::setNetworkActivityIndicatorVisible(false);
}

}  // namespace kelda::support

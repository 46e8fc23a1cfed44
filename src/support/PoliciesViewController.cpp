#include "support/PoliciesViewController.hpp"

#include "gateway/Components.hpp"
#include "support/RetailerPages.hpp"
#include "ui/NavigationController.hpp"
#include "ui/NetworkActivityIndicator.hpp"

namespace kelda::support {

ui::WebView& PoliciesViewController::webView() {
  view();
  return *webView_;
}

std::shared_ptr<ui::View> PoliciesViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  webView_ = root->add<ui::WebView>();
  webView_->didFinishLoad = [](ui::WebView&) { ui::setNetworkActivityIndicatorVisible(false); };
  webView_->didFailLoad = [](ui::WebView&, const std::string&) {
    ui::setNetworkActivityIndicatorVisible(false);
    gateway::Components::sharedInstance().showAlertWithMessage(kLoadFailedMessage);
  };
  return root;
}

void PoliciesViewController::viewWillAppear(bool) {
  if (myURL.empty()) return;
  ui::setNetworkActivityIndicatorVisible(true);
  webView().loadRequest(myURL);
}

void PoliciesViewController::viewWillDisappear(bool) {
  if (webView_ && webView_->isLoading()) webView_->stopLoading();
  ui::setNetworkActivityIndicatorVisible(false);
}

void openRetailerPage(ui::ViewController& opener, const char* path) {
  auto* navigation = opener.navigationController();
  if (navigation == nullptr) return;
  auto page = std::make_shared<PoliciesViewController>();
  page->myURL = retailerPageURL(path);
  navigation->pushViewController(page, true);
}

}  // namespace kelda::support

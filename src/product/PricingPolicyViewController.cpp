#include "product/PricingPolicyViewController.hpp"

#include "gateway/Components.hpp"
#include "gateway/Wire.hpp"
#include "ui/NetworkActivityIndicator.hpp"

namespace kelda::product {

std::string PricingPolicyViewController::pricingURL() {
  return gateway::addressBase(gateway::webHost()) + kPricingPath;
}

ui::WebView& PricingPolicyViewController::webView() {
  view();
  return *web_;
}

std::shared_ptr<ui::View> PricingPolicyViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  web_ = root->add<ui::WebView>();
  web_->scalesPageToFit = true;
  web_->didFinishLoad = [](ui::WebView&) { ui::setNetworkActivityIndicatorVisible(false); };
  web_->didFailLoad = [](ui::WebView&, const std::string&) {
    ui::setNetworkActivityIndicatorVisible(false);
    gateway::Components::sharedInstance().showAlertWithMessage(kLoadFailedMessage);
  };
  return root;
}

void PricingPolicyViewController::viewWillAppear(bool) {
  ui::setNetworkActivityIndicatorVisible(true);
  web_->loadRequest(pricingURL());
}

void PricingPolicyViewController::viewWillDisappear(bool) {
  web_->stopLoading();
  ui::setNetworkActivityIndicatorVisible(false);
}

}  // namespace kelda::product

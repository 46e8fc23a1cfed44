// PricingPolicyViewController: the retailer's pricing policy page, opened by the "Pricing
// policy." link of a product page, shown in a web view with a back button. The page is the
// retailer's web host followed by /service/start/safeshopping/pricing.jsp?width=320&height=480;
// it loads on every appearance, with the network activity indicator on while it loads. A failed
// load shows "Sorry! An unexpected error occurred during load. Please try it again.".
//
// Made once by PDPViewsController. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "ui/ViewController.hpp"
#include "ui/WebView.hpp"

namespace kelda::product {

class PricingPolicyViewController : public ui::ViewController {
 public:
  static constexpr const char* kPricingPath =
      "service/start/safeshopping/pricing.jsp?width=320&height=480";
  static constexpr const char* kLoadFailedMessage =
      "Sorry! An unexpected error occurred during load. Please try it again.";

  // The page's address on the current options' web host.
  static std::string pricingURL();

  ui::WebView& webView();

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;

 private:
  std::shared_ptr<ui::WebView> web_;
};

}  // namespace kelda::product

// PoliciesViewController: shows one page of the retailer's web site (privacy, shipping, returns,
// legal) in a web view. The opener sets myURL (see RetailerPages) and pushes the screen; each
// appearance loads it. The network activity indicator is on while the page loads; a failed
// load is reported in an alert and the screen stays. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "ui/ViewController.hpp"
#include "ui/WebView.hpp"

namespace kelda::support {

class PoliciesViewController : public ui::ViewController {
 public:
  static constexpr const char* kLoadFailedMessage =
      "Sorry! An unexpected error occurred during load. Please try it again.";

  // The address of the page to show (empty: nothing is loaded).
  std::string myURL;

  ui::WebView& webView();

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;

 private:
  std::shared_ptr<ui::WebView> webView_;
};

// Pushes a new policies screen showing `path` of the retailer's web site on the opener's
// navigation stack (nothing when the opener is in none).
void openRetailerPage(ui::ViewController& opener, const char* path);

}  // namespace kelda::support

// SavingsPassDocumentViewController: the savings pass document ("Instore Savings Pass") in a
// web view scaled to fit. Each appearance loads the document's address; the network activity
// indicator is on while it loads. A failed load turns the indicator off and shows "An error
// occurred:" with the error's description in red in place of the page.
//
// A plain document screen of the store locator. Made for each opening; main thread only.
#pragma once

#include <memory>
#include <string>

#include "ui/Label.hpp"
#include "ui/ViewController.hpp"
#include "ui/WebView.hpp"

namespace kelda::stores {

class SavingsPassDocumentViewController : public ui::ViewController {
 public:
  static constexpr const char* kTitle = "Instore Savings Pass";

  explicit SavingsPassDocumentViewController(std::string pdfUrlString);

  const std::string& pdfUrlString() const { return pdfUrlString_; }
  ui::WebView& webView();
  // Shown only after a failed load.
  const ui::Label& errorLabel();

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;

 private:
  std::string pdfUrlString_;
  std::shared_ptr<ui::WebView> web_;
  std::shared_ptr<ui::Label> error_;
};

}  // namespace kelda::stores

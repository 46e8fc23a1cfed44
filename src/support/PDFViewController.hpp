// PDFViewController: shows a document (the in-store savings pass) in a web view that scales the
// page to fit. The opener sets pdfUrlString and pushes the screen; each appearance loads it. A
// failed load is shown in the web view itself, as a page naming the error. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "ui/ViewController.hpp"
#include "ui/WebView.hpp"

namespace kelda::support {

class PDFViewController : public ui::ViewController {
 public:
  PDFViewController();

  // The document's address as text.
  std::string pdfUrlString;

  ui::WebView& webView();
  // The page shown in place of a document that did not load: the error's description,
  // HTML-escaped, in red.
  static std::string errorPage(const std::string& description);
  // errorPage() as an address a web view loads ("data:text/html;charset=utf-8,...").
  static std::string errorPageURL(const std::string& description);

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;

 private:
  std::shared_ptr<ui::WebView> webView_;
};

}  // namespace kelda::support

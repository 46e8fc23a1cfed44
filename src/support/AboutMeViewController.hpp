// AboutMeViewController: the about screen of the more tab: the client's version texts, read
// from the Info.plist of the resources ("Bundle Info", "ProductCopyright"). Main thread only.
#pragma once

#include <memory>

#include "ui/ViewController.hpp"

namespace kelda::support {

class AboutMeViewController : public ui::ViewController {
 public:
  static constexpr const char* kPageId = "mobile.about.home";

  AboutMeViewController();

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;
};

}  // namespace kelda::support

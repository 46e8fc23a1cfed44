// NoInternetConnectionViewController: the screen shown instead of the tabs when the launch
// finds no network. It only says so; it has no actions, and the shopper starts the client
// again once connected. Main thread only.
#pragma once

#include <memory>

#include "ui/View.hpp"
#include "ui/ViewController.hpp"

namespace kelda::app {

class NoInternetConnectionViewController : public ui::ViewController {
 public:
  static constexpr const char* kHeadline = "No Internet Connection";
  static constexpr const char* kMessage =
      "Kelda needs a network connection. Please connect to a Wi-Fi or cellular network and "
      "start Kelda again.";

  NoInternetConnectionViewController();

 protected:
  std::shared_ptr<ui::View> loadView() override;
};

}  // namespace kelda::app

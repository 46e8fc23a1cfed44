// MoreViewController: the root screen of the more tab; its menu comes with the information pages.
// Main thread only.
#pragma once

#include "ui/ViewController.hpp"

namespace kelda::app {

class MoreViewController : public ui::ViewController {
 public:
  MoreViewController();
};

}  // namespace kelda::app

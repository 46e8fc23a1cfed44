// OffersViewController: the root screen of the offers tab; the offers list comes with the sales and
// offers screens. Main thread only.
#pragma once

#include "ui/ViewController.hpp"

namespace kelda::app {

class OffersViewController : public ui::ViewController {
 public:
  OffersViewController();
};

}  // namespace kelda::app

// ViewBagController: the root screen of the my bag tab; the bag lines, totals and checkout come
// with the bag screen itself. Main thread only.
#pragma once

#include "ui/ViewController.hpp"

namespace kelda::app {

class ViewBagController : public ui::ViewController {
 public:
  ViewBagController();
};

}  // namespace kelda::app

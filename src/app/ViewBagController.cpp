#include "app/ViewBagController.hpp"

namespace kelda::app {

ViewBagController::ViewBagController() {
  setTitle("View Bag");
}

}  // namespace kelda::app

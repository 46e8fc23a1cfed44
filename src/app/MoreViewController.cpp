#include "app/MoreViewController.hpp"

namespace kelda::app {

MoreViewController::MoreViewController() {
  setTitle("More");
}

}  // namespace kelda::app

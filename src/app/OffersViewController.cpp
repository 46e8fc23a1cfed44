#include "app/OffersViewController.hpp"

namespace kelda::app {

OffersViewController::OffersViewController() {
  setTitle("Offers");
}

}  // namespace kelda::app

#include "ui/MapView.hpp"

#include <utility>

namespace kelda::ui {

void MapView::setRegion(Coordinate newCentre, CoordinateSpan newSpan) {
  centre = newCentre;
  span = newSpan;
}

void MapView::addPin(MapPin pin) {
  pins_.push_back(std::move(pin));
}

void MapView::removeAllPins() {
  pins_.clear();
  selected_.reset();
}

bool MapView::selectPin(int index) {
  if (index < 0 || index >= static_cast<int>(pins_.size())) return false;
  selected_ = index;
  if (didSelectPin) didSelectPin(*this, index);
  return true;
}

}  // namespace kelda::ui

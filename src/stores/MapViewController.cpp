#include "stores/MapViewController.hpp"

#include <fmt/format.h>

#include "gateway/ExceptionGuard.hpp"
#include "platform/PositionProvider.hpp"
#include "platform/TaskAndReply.hpp"
#include "stores/AddressGeocoder.hpp"
#include "stores/MapAnnotation.hpp"

namespace kelda::stores {

MapViewController::MapViewController() {
  setTitle(kTitle);
}

std::shared_ptr<MapViewController> MapViewController::forStore(const json::Value& store,
                                                               std::string locationCoordinate) {
  auto screen = std::make_shared<MapViewController>();
  screen->storeName = store["storeName"].str();
  screen->street = store["addressLine1"].str();
  screen->city = store["addrCity"].str();
  screen->state = store["addrState"].str();
  screen->zip = store["addrPostalCode"].str();
  screen->country = store["addrCountryCode"].str();
  screen->phoneNumber = store["addrPhoneNumber"].str();
  screen->locationCoordinate = std::move(locationCoordinate);
  screen->storeInformation = store;
  return screen;
}

ui::MapView& MapViewController::mapView() {
  view();
  return *map_;
}

const ui::Label& MapViewController::notFoundLabel() {
  view();
  return *notFound_;
}

std::shared_ptr<ui::View> MapViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  map_ = root->add<ui::MapView>();
  notFound_ = root->add<ui::Label>(kNotFound);
  notFound_->hidden = true;
  nameLabel_ = root->add<ui::Label>("", ui::TextStyle::Bold);
  streetLabel_ = root->add<ui::Label>();
  placeLabel_ = root->add<ui::Label>();
  phoneLabel_ = root->add<ui::Label>();
  return root;
}

void MapViewController::showLabels() {
  nameLabel_->text = storeName;
  streetLabel_->text = street;
  placeLabel_->text = fmt::format("{}, {} {} {}", city, state, zip, country);
  phoneLabel_->text = phoneNumber;
}

void MapViewController::viewWillAppear(bool) {
  gateway::guarded("-[MapViewController viewWillAppear:]", [&] {
    showLabels();
    if (located_) return;
    located_ = true;
    if (auto fix = platform::PositionProvider::parsePosition(locationCoordinate)) {
      placePin(ui::Coordinate{fix->latitude, fix->longitude});
      return;
    }
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [street = street, city = city, state = state, zip = zip, country = country] {
          return AddressGeocoder::locationOfAddress(street, city, state, zip, country);
        },
        [](MapViewController& screen, std::optional<ui::Coordinate> coordinate) {
          screen.placePin(coordinate);
        });
  });
}

void MapViewController::placePin(std::optional<ui::Coordinate> coordinate) {
  map_->removeAllPins();
  notFound_->hidden = coordinate.has_value();
  if (!coordinate) return;
  MapAnnotation annotation;
  annotation.coordinate = *coordinate;
  annotation.title = storeName;
  map_->addPin(annotation.pin());
  map_->setRegion(*coordinate, ui::CoordinateSpan{kLatitudeSpan, kLongitudeSpan});
}

}  // namespace kelda::stores

// MapViewController: one store on a map ("Store Information"): a pin titled with the store's
// name above labels with its name, street, "%@, %@ %@ %@" of city, state, ZIP and country, and
// telephone number.
//
// The pin stands at `locationCoordinate` ("lat,lon") when the opener gives valid coordinates;
// otherwise the address is looked up with the geocoder on a worker when the screen first
// appears. When neither gives a place the map shows no pin and a label says so (never a pin at
// 0,0). Created by the opener for each opening; main thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "json/Value.hpp"
#include "ui/Label.hpp"
#include "ui/MapView.hpp"
#include "ui/ViewController.hpp"

namespace kelda::stores {

class MapViewController : public ui::ViewController {
 public:
  static constexpr const char* kTitle = "Store Information";
  static constexpr const char* kNotFound = "We couldn't find this store on the map.";
  static constexpr double kLatitudeSpan = 0.055954;
  static constexpr double kLongitudeSpan = 0.059456;

  MapViewController();

  // A map screen for a store record, opened with `locationCoordinate` (may be empty).
  static std::shared_ptr<MapViewController> forStore(const json::Value& store,
                                                     std::string locationCoordinate);

  std::string storeName;
  std::string street;
  std::string city;
  std::string state;
  std::string zip;
  std::string country;
  std::string phoneNumber;
  std::string locationCoordinate;
  json::Value storeInformation;

  ui::MapView& mapView();
  // The label that says the store could not be placed (hidden while a pin stands or the
  // lookup runs).
  const ui::Label& notFoundLabel();

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  void showLabels();
  void placePin(std::optional<ui::Coordinate> coordinate);

  std::shared_ptr<ui::MapView> map_;
  std::shared_ptr<ui::Label> nameLabel_;
  std::shared_ptr<ui::Label> streetLabel_;
  std::shared_ptr<ui::Label> placeLabel_;
  std::shared_ptr<ui::Label> phoneLabel_;
  std::shared_ptr<ui::Label> notFound_;
  bool located_ = false;
};

}  // namespace kelda::stores

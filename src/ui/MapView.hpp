// MapView: a map region (centre and span in degrees) with pins that carry a title and a
// subtitle; the front ends draw it. Tapping a pin selects it and shows its callout.
// Main thread only.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/View.hpp"

namespace kelda::ui {

struct Coordinate {
  double latitude = 0;
  double longitude = 0;
  bool operator==(const Coordinate&) const = default;
};

struct CoordinateSpan {
  double latitudeDelta = 0;
  double longitudeDelta = 0;
  bool operator==(const CoordinateSpan&) const = default;
};

struct MapPin {
  Coordinate coordinate;
  std::string title;
  std::string subtitle;
};

class MapView : public View {
 public:
  MapView() = default;
  ViewKind kind() const override { return ViewKind::Map; }

  void setRegion(Coordinate centre, CoordinateSpan span);
  void addPin(MapPin pin);
  void removeAllPins();
  const std::vector<MapPin>& pins() const { return pins_; }
  // Selects a pin (its callout shows) and runs didSelectPin. False out of range.
  bool selectPin(int index);
  std::optional<int> selectedPin() const { return selected_; }

  Coordinate centre;
  CoordinateSpan span;
  bool showsUserLocation = false;
  std::function<void(MapView&, int pin)> didSelectPin;

 private:
  std::vector<MapPin> pins_;
  std::optional<int> selected_;
};

}  // namespace kelda::ui

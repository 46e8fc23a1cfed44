// MapAnnotation: one pin of the map screen: where it stands, its title and its subtitle, the
// text "%lf, %lf" of its latitude and longitude. A plain value.
#pragma once

#include <fmt/format.h>

#include <string>

#include "ui/MapView.hpp"

namespace kelda::stores {

struct MapAnnotation {
  ui::Coordinate coordinate;
  int annotationType = 0;
  std::string title;
  std::string userData;
  std::string url;

  std::string subtitle() const {
    return fmt::format("{:f}, {:f}", coordinate.latitude, coordinate.longitude);
  }
  ui::MapPin pin() const { return ui::MapPin{coordinate, title, subtitle()}; }
};

}  // namespace kelda::stores

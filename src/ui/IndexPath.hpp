// IndexPath: a row's position in a table (section, row). Plain value.
#pragma once

#include <compare>

namespace kelda::ui {

struct IndexPath {
  int section = 0;
  int row = 0;
  auto operator<=>(const IndexPath&) const = default;
  static IndexPath forRow(int row, int section) { return IndexPath{section, row}; }
};

}  // namespace kelda::ui

// FindInStoreCell: one store of a find-in-store answer: its name, address, "Distance" with
// "%@ miles" and "Availability" of the article there, with map, directions and call buttons.
// Main thread only.
#pragma once

#include <memory>
#include <string>

#include "json/Value.hpp"
#include "stores/StoreCells.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::stores {

class FindInStoreCell : public ui::TableViewCell {
 public:
  FindInStoreCell(const json::Value& store, const StoreRowActions& actions);

  // "Available" for "AVAILABLE", "Limited Available" for "LIMITED", "Not Available" for
  // "NOTAVAILABLE"; any other value is shown as it came.
  static std::string availabilityText(const json::Value& availability);
  // "%@, %@" of addressLine1 and addressLine2 (addressLine1 alone when there is no second
  // line), then ", " and "%@, %@ %@ %@" of city, state, postal code and country.
  static std::string addressText(const json::Value& store);
};

}  // namespace kelda::stores

#include "stores/FindInStoreCell.hpp"

#include <fmt/format.h>

#include "stores/StoreRecord.hpp"
#include "ui/Button.hpp"
#include "ui/Label.hpp"

namespace kelda::stores {

std::string FindInStoreCell::availabilityText(const json::Value& availability) {
  const std::string_view value = availability.text();
  if (value == "AVAILABLE") return "Available";
  if (value == "LIMITED") return "Limited Available";
  if (value == "NOTAVAILABLE") return "Not Available";
  return std::string(value);
}

std::string FindInStoreCell::addressText(const json::Value& store) {
  std::string street = store["addressLine1"].str();
  if (!store["addressLine2"].text().empty()) street += ", " + store["addressLine2"].str();
  return fmt::format("{}, {}, {} {} {}", street, store["addrCity"].text(),
                     store["addrState"].text(), store["addrPostalCode"].text(),
                     store["addrCountryCode"].text());
}

FindInStoreCell::FindInStoreCell(const json::Value& store, const StoreRowActions& actions)
    : ui::TableViewCell(ui::CellStyle::Default, "FindInStoreCell") {
  add<ui::Label>(store["storeName"].str(), ui::TextStyle::Bold);
  add<ui::Label>(addressText(store))->numberOfLines = 0;
  add<ui::Label>("Distance", ui::TextStyle::Small);
  add<ui::Label>(fmt::format("{} miles", store["distanceInMiles"].text()));
  add<ui::Label>("Availability", ui::TextStyle::Small);
  add<ui::Label>(availabilityText(store["storeAvailability"]), ui::TextStyle::Bold);
  add<ui::Button>("Map", [map = actions.map](ui::Button&) { map(); })->imageName = "map_btn.png";
  add<ui::Button>("Directions", [directions = actions.directions](ui::Button&) {
    directions();
  })->imageName = "Direction_btn.png";
  if (!dialNumber(store).empty()) {
    add<ui::Button>("Call", [call = actions.call](ui::Button&) { call(); })->imageName =
        "call_icon.png";
  }
}

}  // namespace kelda::stores

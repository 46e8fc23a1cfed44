#include "stores/StoreCells.hpp"

#include "stores/StoreRecord.hpp"
#include "ui/Button.hpp"
#include "ui/Label.hpp"

namespace kelda::stores {
namespace {

void addButton(ui::TableViewCell& cell, const char* title, const char* image,
               const std::function<void()>& action) {
  auto button = cell.add<ui::Button>(title, [action](ui::Button&) {
    if (action) action();
  });
  button->imageName = image;
}

void addButtons(ui::TableViewCell& cell, const json::Value& store, const StoreRowActions& actions,
                bool mapAndDirections) {
  if (mapAndDirections) {
    addButton(cell, "Map", "map_btn.png", actions.map);
    addButton(cell, "Directions", "Direction_btn.png", actions.directions);
  }
  if (!dialNumber(store).empty()) addButton(cell, "Call", "call_icon.png", actions.call);
}

}  // namespace

std::shared_ptr<ui::TableViewCell> storeInfoCell(const json::Value& store,
                                                 const StoreRowActions& actions, bool allButtons) {
  auto cell = std::make_shared<ui::TableViewCell>(ui::CellStyle::Default, "StoreInfo");
  cell->add<ui::Label>(store["storeName"].str(), ui::TextStyle::Bold);
  auto address = cell->add<ui::Label>(storeAddressText(store));
  address->numberOfLines = 0;
  if (!store["addrPhoneNumber"].text().empty())
    cell->add<ui::Label>(store["addrPhoneNumber"].str());
  addButtons(*cell, store, actions, allButtons);
  return cell;
}

std::shared_ptr<ui::TableViewCell> storeButtonsCell(const json::Value& store,
                                                    const StoreRowActions& actions) {
  auto cell = std::make_shared<ui::TableViewCell>(ui::CellStyle::Default, "StoreButtons");
  addButtons(*cell, store, actions, true);
  return cell;
}

}  // namespace kelda::stores

// The rows that show a store on the store screens: its name, address text and telephone, and
// the map, directions and call buttons. A store without a telephone number shows no call
// button. Main thread only.
#pragma once

#include <functional>
#include <memory>

#include "json/Value.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::stores {

struct StoreRowActions {
  std::function<void()> map;
  std::function<void()> directions;
  std::function<void()> call;
};

// Name, address text and telephone, with the call button; with `allButtons` also the map and
// directions buttons.
std::shared_ptr<ui::TableViewCell> storeInfoCell(const json::Value& store,
                                                 const StoreRowActions& actions, bool allButtons);
// The map, directions and call buttons alone.
std::shared_ptr<ui::TableViewCell> storeButtonsCell(const json::Value& store,
                                                    const StoreRowActions& actions);

}  // namespace kelda::stores

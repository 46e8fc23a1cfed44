// ScreenParts: parts most catalogue screens build the same way: the table a screen serves as
// data source and delegate, pushing the next screen, and a left bar button that takes the screen
// off its navigation stack. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/View.hpp"
#include "ui/ViewController.hpp"

namespace kelda::catalogue {

// A new table in `root`, served by `screen` (which outlives it: the screen owns its view).
template <class Screen>
std::shared_ptr<ui::TableView> addTable(ui::View& root, Screen& screen,
                                        ui::TableViewStyle style = ui::TableViewStyle::Plain) {
  auto table = root.add<ui::TableView>(style);
  table->dataSource = &screen;
  table->delegate = &screen;
  return table;
}

// Pushes `next` onto the navigation stack `from` is in (nothing when it is in none).
void pushScreen(ui::ViewController& from, std::shared_ptr<ui::ViewController> next);

// Puts a left button titled `title` in place of the back button; it pops `screen`.
void setPopButton(ui::ViewController& screen, std::string title);

}  // namespace kelda::catalogue

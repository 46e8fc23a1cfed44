#include "catalogue/ScreenParts.hpp"

#include <utility>

#include "ui/BarButtonItem.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::catalogue {

void pushScreen(ui::ViewController& from, std::shared_ptr<ui::ViewController> next) {
  if (auto* navigation = from.navigationController()) {
    navigation->pushViewController(std::move(next), true);
  }
}

void setPopButton(ui::ViewController& screen, std::string title) {
  // The button belongs to the screen's navigation item, so it never outlives the screen.
  screen.navigationItem().leftBarButtonItem =
      std::make_shared<ui::BarButtonItem>(std::move(title), [&screen] {
        if (auto* navigation = screen.navigationController()) {
          navigation->popViewControllerAnimated(true);
        }
      });
}

}  // namespace kelda::catalogue

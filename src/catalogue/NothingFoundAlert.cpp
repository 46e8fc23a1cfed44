#include "catalogue/NothingFoundAlert.hpp"

#include "ui/AlertView.hpp"

namespace kelda::catalogue {

void showNothingFoundAlert() {
  ui::showAlert(
      ui::AlertView{"Sorry !",
                    "We're sorry, we couldn't find any items that matched your search term.",
                    {"OK"},
                    0,
                    nullptr});
}

}  // namespace kelda::catalogue

#include "stores/StoreAlerts.hpp"

#include "ui/AlertView.hpp"

namespace kelda::stores {

void showAlert(const std::string& title, const std::string& message) {
  ui::showAlert(ui::AlertView{title, message, {"OK"}, 0, {}});
}

}  // namespace kelda::stores

#include "gateway/Components.hpp"

#include "gateway/StoredLogin.hpp"
#include "platform/Context.hpp"
#include "platform/Log.hpp"
#include "ui/AlertView.hpp"

namespace kelda::gateway {

Components& Components::sharedInstance() {
  return platform::shared<Components>();
}

void Components::showAlertWithMessage(const std::string& message) {
  ui::showAlert(ui::AlertView{"", message, {"OK"}, 0, nullptr});
}

bool Components::saveLoginAccount(const std::string& account) {
  const bool written = writeStoredLogin(account);
  if (!written)
    log::warning("-[Components saveLoginAccount:]", "the stored log-in was not written");
  return written;
}

}  // namespace kelda::gateway

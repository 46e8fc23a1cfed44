#include "gateway/ExceptionGuard.hpp"

#include <exception>
#include <string>

#include "platform/Log.hpp"
#include "ui/AlertView.hpp"

namespace kelda::gateway {

// Description of an exception that is not a std::exception (nothing more is known of it).
constexpr std::string_view kUnknownExceptionDescription = "Unknown exception";

bool guarded(std::string_view operation, const std::function<void()>& fn, std::string_view title) {
  try {
    fn();
    return true;
  } catch (const std::exception& error) {
    reportException(operation, error.what(), title);
  } catch (...) {
    reportException(operation, kUnknownExceptionDescription, title);
  }
  return false;
}

void reportException(std::string_view operation, std::string_view description,
                     std::string_view title) {
  log::error(operation, description);
  ui::AlertView alert;
  alert.title = std::string(title);
  alert.message = std::string(description);
  alert.buttons = {"OK"};
  ui::showAlert(std::move(alert));
}

}  // namespace kelda::gateway

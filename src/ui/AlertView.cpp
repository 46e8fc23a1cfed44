#include "ui/AlertView.hpp"

#include <utility>

#include "platform/RunLoop.hpp"
#include "ui/Window.hpp"

namespace kelda::ui {

void showAlert(AlertView alert) {
  platform::RunLoop& loop = platform::RunLoop::main();
  if (loop.isMainThread()) {
    Window::shared().showAlert(std::move(alert));
    return;
  }
  loop.performOnMainThread(
      [alert = std::move(alert)]() mutable { Window::shared().showAlert(std::move(alert)); },
      false);
}

}  // namespace kelda::ui

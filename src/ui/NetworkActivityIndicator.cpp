#include "ui/NetworkActivityIndicator.hpp"

#include "platform/Context.hpp"

namespace kelda::ui {

NetworkActivityIndicator& NetworkActivityIndicator::shared() {
  return platform::shared<NetworkActivityIndicator>();
}

}  // namespace kelda::ui

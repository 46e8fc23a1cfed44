#include "platform/UrlOpener.hpp"

#include <utility>

#include "platform/Context.hpp"

namespace kelda::platform {

UrlOpener& UrlOpener::shared() {
  return Context::current().get<UrlOpener>();
}

bool UrlOpener::openURL(std::string url) {
  Handler handler;
  {
    std::lock_guard lock(mutex_);
    opened_.push_back(url);
    handler = handler_;
  }
  if (handler) handler(url);  // outside the lock: a handler may open further addresses
  return true;
}

std::vector<std::string> UrlOpener::opened() const {
  std::lock_guard lock(mutex_);
  return opened_;
}

void UrlOpener::clear() {
  std::lock_guard lock(mutex_);
  opened_.clear();
}

void UrlOpener::setHandler(Handler handler) {
  std::lock_guard lock(mutex_);
  handler_ = std::move(handler);
}

}  // namespace kelda::platform

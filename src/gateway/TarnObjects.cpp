#include "gateway/TarnObjects.hpp"

#include "platform/Context.hpp"

namespace kelda::gateway {

TarnObjects& TarnObjects::sharedInstance() {
  return platform::shared<TarnObjects>();
}

}  // namespace kelda::gateway

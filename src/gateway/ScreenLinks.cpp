#include "gateway/ScreenLinks.hpp"

#include "platform/Context.hpp"

namespace kelda::gateway {

ScreenLinks& ScreenLinks::shared() {
  return platform::shared<ScreenLinks>();
}

}  // namespace kelda::gateway

#include "gateway/GlobalFlags.hpp"

#include "platform/Context.hpp"

namespace kelda::gateway {

GlobalFlags& GlobalFlags::shared() {
  return platform::shared<GlobalFlags>();
}

}  // namespace kelda::gateway

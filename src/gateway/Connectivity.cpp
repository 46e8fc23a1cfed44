#include "gateway/Connectivity.hpp"

#include "gateway/Reachability.hpp"
#include "platform/Log.hpp"

namespace kelda::gateway {

std::string connectivityText(int status) {
  switch (status) {
    case 1:
      return "e";
    case 2:
      return "wifi";
    case 3:
      return "3g";
    default:
      return "NoAccess";
  }
}

std::string checkNetworkConnectivity() {
  const std::string text =
      connectivityText(Reachability::sharedReachability().internetConnectionStatus());
  log::debug("-[TarnAppDelegate checkNetworkConnectivity]", text);
  return text;
}

}  // namespace kelda::gateway

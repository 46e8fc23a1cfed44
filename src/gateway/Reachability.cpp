#include "gateway/Reachability.hpp"

#include <arpa/inet.h>

#include "platform/Context.hpp"

namespace kelda::gateway {

Reachability& Reachability::sharedReachability() {
  return platform::shared<Reachability>();
}

int Reachability::internetConnectionStatus() {
  SCNetworkReachabilityFlags flags = 0;
  if (!isNetworkAvailableFlags(&flags)) return NotReachable;
  return statusForFlags(flags);
}

bool Reachability::isNetworkAvailableFlags(SCNetworkReachabilityFlags* flags) {
  const auto query = queryForKey(kDefaultRouteKey);
  SCNetworkReachabilityFlags read = 0;
  if (query == nullptr || !SCNetworkReachabilityGetFlags(query->reachabilityRef, &read)) {
    return false;
  }
  if (flags != nullptr) *flags = read;
  return isReachableWithoutRequiringConnection(read);
}

bool Reachability::isReachableWithoutRequiringConnection(SCNetworkReachabilityFlags flags) {
  const bool reachable = (flags & kSCNetworkReachabilityFlagsReachable) != 0;
  const bool wwan = (flags & kSCNetworkReachabilityFlagsIsWWAN) != 0;
  const bool connectionRequired = (flags & kSCNetworkReachabilityFlagsConnectionRequired) != 0;
  return reachable && (wwan || !connectionRequired);
}

int Reachability::statusForFlags(SCNetworkReachabilityFlags flags) {
  if (!isReachableWithoutRequiringConnection(flags)) return NotReachable;
  if ((flags & kSCNetworkReachabilityFlagsIsDirect) != 0) return NotReachable;
  if ((flags & kSCNetworkReachabilityFlagsTransientConnection) != 0) {
    return ReachableViaCarrierDataNetwork;
  }
  return ReachableViaWiFiNetwork;
}

std::shared_ptr<const ReachabilityQuery> Reachability::queryForKey(const std::string& key) {
  if (key != kDefaultRouteKey && key != kLinkLocalAddressKey) return nullptr;
  std::lock_guard lock(mutex_);
  auto& query = reachabilityQueries_[key];
  if (query == nullptr) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    ::inet_pton(AF_INET, key.c_str(), &target.sin_addr);
    auto created = std::make_shared<ReachabilityQuery>();
    created->hostNameOrAddress = key;
    created->reachabilityRef =
        SCNetworkReachabilityCreateWithAddress(reinterpret_cast<const sockaddr*>(&target));
    query = std::move(created);
  }
  return query;
}

}  // namespace kelda::gateway

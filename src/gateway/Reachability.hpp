// Reachability: the client's view of whether the network can be used, and over which kind of
// link. One per Context (`Reachability::sharedReachability()`), alive for the whole run.
//
// The status is read afresh at every call (nothing watches for changes): 0 no usable
// connection, 1 carrier data network, 2 wireless LAN. Queries for the two fixed targets (the
// default route and the link-local network) are created on first use and kept. Every
// operation may be called from any thread; the query table is guarded.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "gateway/NetworkReachability.hpp"

namespace kelda::platform {
class RunLoop;
}

namespace kelda::gateway {

// Query keys of the two fixed targets.
inline constexpr const char* kDefaultRouteKey = "0.0.0.0";
inline constexpr const char* kLinkLocalAddressKey = "169.254.0.0";

// Connection status values.
enum NetworkStatus : int {
  NotReachable = 0,
  ReachableViaCarrierDataNetwork = 1,
  ReachableViaWiFiNetwork = 2,
};

// One reachability target kept for the rest of the run.
struct ReachabilityQuery {
  std::string hostNameOrAddress;
  SCNetworkReachabilityRef reachabilityRef;
  // Run loops the query is scheduled on; stays empty (change notifications are off).
  std::vector<platform::RunLoop*> runLoops;
};

class Reachability {
 public:
  Reachability() = default;
  Reachability(const Reachability&) = delete;
  Reachability& operator=(const Reachability&) = delete;

  // The current context's object.
  static Reachability& sharedReachability();

  // 0, 1 or 2 by the rules of statusForFlags(); 0 when the flags cannot be read.
  int internetConnectionStatus();

  // Reads the default route's flags into *flags (when given) and answers whether the route
  // is usable without setting up a connection first. False when the flags cannot be read.
  bool isNetworkAvailableFlags(SCNetworkReachabilityFlags* flags);

  // Reachable, and either carrier data (IsWWAN) or no connection to set up first.
  static bool isReachableWithoutRequiringConnection(SCNetworkReachabilityFlags flags);

  // The status of a default route with these flags: not available or IsDirect (an ad-hoc
  // network without internet) gives 0; TransientConnection gives 1; anything else 2.
  static int statusForFlags(SCNetworkReachabilityFlags flags);

  // The query of a fixed key ("0.0.0.0" or "169.254.0.0"), created on first use; null for
  // any other key.
  std::shared_ptr<const ReachabilityQuery> queryForKey(const std::string& key);

  // Fields of the object; never set by this client (no host name or address targets, no
  // change notifications).
  const std::optional<std::string> hostName;
  const std::optional<std::string> address;
  const bool networkStatusNotificationsEnabled = false;

 private:
  std::mutex mutex_;
  std::map<std::string, std::shared_ptr<const ReachabilityQuery>> reachabilityQueries_;
};

}  // namespace kelda::gateway

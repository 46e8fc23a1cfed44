// The network reachability service on Linux, under the phone platform's names: a handle for a
// target IPv4 address and the flags of the route to it.
//
// Flags come from a route lookup: a UDP socket is connected to the target (no packet is sent)
// and the interface that the kernel picks for it is examined. Loopback counts as reachable;
// "wwan*" and "ppp*" interfaces are carrier data (TransientConnection | IsWWAN); a route
// whose source address is link-local (169.254/16) is an ad-hoc network (IsDirect).
// The all-zero address (the default route) stands for the route to the middleware server,
// the one host this client talks to; a malformed or empty middleware address gives no flags.
// KELDA_REACHABILITY=none|wwan|wifi in the environment forces the flags of every lookup.
//
// Handles are immutable; every function may be called from any thread.
#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kelda::gateway {

using SCNetworkReachabilityFlags = std::uint32_t;

inline constexpr SCNetworkReachabilityFlags kSCNetworkReachabilityFlagsTransientConnection = 1u;
inline constexpr SCNetworkReachabilityFlags kSCNetworkReachabilityFlagsReachable = 1u << 1;
inline constexpr SCNetworkReachabilityFlags kSCNetworkReachabilityFlagsConnectionRequired = 1u << 2;
inline constexpr SCNetworkReachabilityFlags kSCNetworkReachabilityFlagsIsDirect = 1u << 17;
inline constexpr SCNetworkReachabilityFlags kSCNetworkReachabilityFlagsIsWWAN = 1u << 18;

// The target of a reachability handle.
struct NetworkReachabilityTarget {
  sockaddr_in address{};
};
using SCNetworkReachabilityRef = std::shared_ptr<const NetworkReachabilityTarget>;

// A handle for the address (IPv4 only); null for a null address or any other family.
SCNetworkReachabilityRef SCNetworkReachabilityCreateWithAddress(const sockaddr* address);

// Stores the flags of the route to the handle's target. False (flags untouched) for a null
// handle or flags place.
bool SCNetworkReachabilityGetFlags(const SCNetworkReachabilityRef& target,
                                   SCNetworkReachabilityFlags* flags);

// ---- parts of the lookup, exposed for tests ----

// What the route lookup learnt about the interface a route leaves through.
struct RouteInterface {
  std::string name;
  bool up = false;
  bool loopback = false;
  bool wireless = false;         // /sys/class/net/<name>/wireless or phy80211 exists
  bool linkLocalSource = false;  // the source address is in 169.254/16
};

// Flags of a route leaving through the interface (absent interface: no route, flags 0).
SCNetworkReachabilityFlags flagsForRoute(const std::optional<RouteInterface>& route);

// The flags forced by KELDA_REACHABILITY ("none", "wwan", "wifi"); absent when it is unset
// or holds anything else.
std::optional<SCNetworkReachabilityFlags> forcedReachabilityFlags();

// The IPv4 socket address of a server address text "a.b.c.d" or "a.b.c.d:port" (port 80
// when none is given); absent when the text is empty or malformed.
std::optional<sockaddr_in> parseServerAddress(std::string_view text);

}  // namespace kelda::gateway

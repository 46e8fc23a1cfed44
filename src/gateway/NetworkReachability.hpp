// The network reachability service on Linux, under the phone platform's names: a handle for a
// target IPv4 address and the flags of the route to it.
//
// Flags come from a route lookup: a UDP socket is connected to the target (no packet is sent)
// and the interface that the kernel picks for it is examined. Loopback counts as reachable;
// "wwan*" and "ppp*" interfaces are carrier data (TransientConnection | IsWWAN); a route
// whose source address is link-local (169.254/16) is an ad-hoc network (IsDirect).
// The all-zero address (the default route) stands for the route to the middleware server,
// the one host this client talks to: its address (a host name or an IPv4 address, IPv6 in
// brackets, with an optional port and an optional "http://" or "https://") is resolved at each
// lookup; a malformed, empty or unresolvable middleware address gives no flags. The options'
// forced reachability (KELDA_REACHABILITY=none|wwan|wifi) forces the flags of every lookup.
//
// Handles are immutable; every function may be called from any thread.
#pragma once

#include <netinet/in.h>
#include <sys/socket.h>

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
  bool linkLocalSource = false;  // the source address is in 169.254/16 (IPv6: fe80::/10)
};

// Flags of a route leaving through the interface (absent interface: no route, flags 0).
SCNetworkReachabilityFlags flagsForRoute(const std::optional<RouteInterface>& route);

// The flags forced by the current options' reachability; absent when none is forced.
std::optional<SCNetworkReachabilityFlags> forcedReachabilityFlags();

// A server address text split into host and port: "host", "host:port", "[v6]:port", each
// optionally after "http://" or "https://" (default port 80, or 443 for https) and before one
// "/". Absent when the text is empty or malformed (empty host, port outside 1..65535, blanks).
struct ServerAddress {
  std::string host;
  unsigned port = 80;
  bool operator==(const ServerAddress&) const = default;
};
std::optional<ServerAddress> parseServerAddress(std::string_view text);

// The first socket address the host name or address text resolves to; absent when it does not.
std::optional<sockaddr_storage> resolveServerAddress(std::string_view text);

}  // namespace kelda::gateway

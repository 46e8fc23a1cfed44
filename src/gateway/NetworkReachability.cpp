#include "gateway/NetworkReachability.hpp"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

#include <netdb.h>

#include <charconv>
#include <cstring>
#include <filesystem>

#include "gateway/Wire.hpp"
#include "platform/Context.hpp"

namespace kelda::gateway {
namespace {

// Port used when a target carries none: connect() on a UDP socket wants one, and no packet
// is ever sent to it.
constexpr in_port_t kProbePort = 9;

class Socket {
 public:
  explicit Socket(int fd) : fd_(fd) {}
  ~Socket() {
    if (fd_ >= 0) ::close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

struct IfAddrsDeleter {
  void operator()(ifaddrs* list) const { freeifaddrs(list); }
};

struct AddrInfoDeleter {
  void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

socklen_t lengthOf(const sockaddr_storage& address) {
  return address.ss_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
}

bool isLinkLocal(const sockaddr_storage& address) {
  if (address.ss_family == AF_INET) {
    const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
    return (ntohl(v4.sin_addr.s_addr) & 0xFFFF0000u) == 0xA9FE0000u;
  }
  const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
  return v6.sin6_addr.s6_addr[0] == 0xFE && (v6.sin6_addr.s6_addr[1] & 0xC0) == 0x80;
}

bool sameHostAddress(const sockaddr_storage& a, const sockaddr* b) {
  if (b == nullptr || b->sa_family != a.ss_family) return false;
  if (a.ss_family == AF_INET) {
    return reinterpret_cast<const sockaddr_in&>(a).sin_addr.s_addr ==
           reinterpret_cast<const sockaddr_in*>(b)->sin_addr.s_addr;
  }
  return std::memcmp(&reinterpret_cast<const sockaddr_in6&>(a).sin6_addr,
                     &reinterpret_cast<const sockaddr_in6*>(b)->sin6_addr, sizeof(in6_addr)) == 0;
}

bool isWireless(const std::string& name) {
  std::error_code ignored;
  const std::filesystem::path device = std::filesystem::path("/sys/class/net") / name;
  return std::filesystem::exists(device / "wireless", ignored) ||
         std::filesystem::exists(device / "phy80211", ignored);
}

// The source address the kernel would use towards `target`, or absent when there is no route.
std::optional<sockaddr_storage> sourceAddressFor(sockaddr_storage target) {
  auto& port = target.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6&>(target).sin6_port
                                            : reinterpret_cast<sockaddr_in&>(target).sin_port;
  if (port == 0) port = htons(kProbePort);
  Socket probe(::socket(target.ss_family, SOCK_DGRAM | SOCK_CLOEXEC, 0));
  if (probe.fd() < 0) return std::nullopt;
  if (::connect(probe.fd(), reinterpret_cast<const sockaddr*>(&target), lengthOf(target)) != 0) {
    return std::nullopt;
  }
  sockaddr_storage local{};
  socklen_t length = sizeof local;
  if (::getsockname(probe.fd(), reinterpret_cast<sockaddr*>(&local), &length) != 0) {
    return std::nullopt;
  }
  return local;
}

// The interface that holds `source`.
std::optional<RouteInterface> interfaceWithAddress(const sockaddr_storage& source) {
  ifaddrs* raw = nullptr;
  if (::getifaddrs(&raw) != 0) return std::nullopt;
  std::unique_ptr<ifaddrs, IfAddrsDeleter> list(raw);
  for (const ifaddrs* entry = raw; entry != nullptr; entry = entry->ifa_next) {
    if (!sameHostAddress(source, entry->ifa_addr)) continue;
    RouteInterface route;
    route.name = entry->ifa_name;
    route.up = (entry->ifa_flags & IFF_UP) != 0;
    route.loopback = (entry->ifa_flags & IFF_LOOPBACK) != 0;
    route.wireless = isWireless(route.name);
    route.linkLocalSource = isLinkLocal(source);
    return route;
  }
  return std::nullopt;
}

std::optional<RouteInterface> routeTo(const sockaddr_storage& target) {
  const std::optional<sockaddr_storage> source = sourceAddressFor(target);
  if (!source) return std::nullopt;
  return interfaceWithAddress(*source);
}

// The default route stands for the route to the middleware server.
std::optional<sockaddr_storage> resolveTarget(const sockaddr_in& target) {
  if (target.sin_addr.s_addr != htonl(INADDR_ANY)) {
    sockaddr_storage address{};
    std::memcpy(&address, &target, sizeof target);
    return address;
  }
  return resolveServerAddress(middlewareAddress());
}

std::optional<unsigned> parsePort(std::string_view digits) {
  unsigned port = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
  if (error != std::errc() || end != digits.data() + digits.size() || port == 0 || port > 65535) {
    return std::nullopt;
  }
  return port;
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

SCNetworkReachabilityRef SCNetworkReachabilityCreateWithAddress(const sockaddr* address) {
  if (address == nullptr || address->sa_family != AF_INET) return nullptr;
  auto target = std::make_shared<NetworkReachabilityTarget>();
  target->address = *reinterpret_cast<const sockaddr_in*>(address);
  return target;
}

bool SCNetworkReachabilityGetFlags(const SCNetworkReachabilityRef& target,
                                   SCNetworkReachabilityFlags* flags) {
  if (target == nullptr || flags == nullptr) return false;
  if (const auto forced = forcedReachabilityFlags()) {
    *flags = *forced;
    return true;
  }
  const std::optional<sockaddr_storage> resolved = resolveTarget(target->address);
  *flags = resolved ? flagsForRoute(routeTo(*resolved)) : 0;
  return true;
}

SCNetworkReachabilityFlags flagsForRoute(const std::optional<RouteInterface>& route) {
  if (!route || !route->up) return 0;
  SCNetworkReachabilityFlags flags = kSCNetworkReachabilityFlagsReachable;
  if (route->loopback) return flags;
  if (startsWith(route->name, "wwan") || startsWith(route->name, "ppp")) {
    flags |= kSCNetworkReachabilityFlagsTransientConnection | kSCNetworkReachabilityFlagsIsWWAN;
  }
  if (route->linkLocalSource) flags |= kSCNetworkReachabilityFlagsIsDirect;
  return flags;
}

std::optional<SCNetworkReachabilityFlags> forcedReachabilityFlags() {
  const std::optional<platform::ForcedReachability> forced = platform::options()->reachability;
  if (!forced) return std::nullopt;
  switch (*forced) {
    case platform::ForcedReachability::None:
      return SCNetworkReachabilityFlags{0};
    case platform::ForcedReachability::Wifi:
      return kSCNetworkReachabilityFlagsReachable;
    case platform::ForcedReachability::Wwan:
      return kSCNetworkReachabilityFlagsReachable | kSCNetworkReachabilityFlagsIsWWAN |
             kSCNetworkReachabilityFlagsTransientConnection;
  }
  return std::nullopt;
}

std::optional<ServerAddress> parseServerAddress(std::string_view text) {
  ServerAddress address;
  if (startsWith(text, "https://")) {
    text.remove_prefix(8);
    address.port = 443;
  } else if (startsWith(text, "http://")) {
    text.remove_prefix(7);
  }
  if (const auto slash = text.find('/'); slash != std::string_view::npos) {
    if (slash + 1 != text.size()) return std::nullopt;  // no path after the address
    text.remove_suffix(1);
  }
  std::string_view host = text;
  std::string_view port;
  if (startsWith(text, "[")) {
    const auto close = text.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = text.substr(1, close - 1);
    std::string_view rest = text.substr(close + 1);
    if (!rest.empty()) {
      if (rest[0] != ':') return std::nullopt;
      port = rest.substr(1);
      if (port.empty()) return std::nullopt;
    }
  } else if (const auto colon = text.find(':'); colon != std::string_view::npos) {
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
    if (port.empty()) return std::nullopt;
  }
  if (host.empty() || host.find_first_of(" \t\r\n@") != std::string_view::npos) return std::nullopt;
  if (!port.empty()) {
    const std::optional<unsigned> number = parsePort(port);
    if (!number) return std::nullopt;
    address.port = *number;
  }
  address.host = std::string(host);
  return address;
}

std::optional<sockaddr_storage> resolveServerAddress(std::string_view text) {
  const std::optional<ServerAddress> parsed = parseServerAddress(text);
  if (!parsed) return std::nullopt;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_flags = AI_ADDRCONFIG;
  addrinfo* raw = nullptr;
  const std::string port = std::to_string(parsed->port);
  if (::getaddrinfo(parsed->host.c_str(), port.c_str(), &hints, &raw) != 0 || raw == nullptr) {
    return std::nullopt;
  }
  std::unique_ptr<addrinfo, AddrInfoDeleter> list(raw);
  for (const addrinfo* entry = raw; entry != nullptr; entry = entry->ai_next) {
    if (entry->ai_family != AF_INET && entry->ai_family != AF_INET6) continue;
    sockaddr_storage address{};
    std::memcpy(&address, entry->ai_addr, entry->ai_addrlen);
    return address;
  }
  return std::nullopt;
}

}  // namespace kelda::gateway

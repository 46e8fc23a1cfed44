#include "gateway/NetworkReachability.hpp"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>

#include "gateway/Wire.hpp"

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

bool isLinkLocal(in_addr address) {
  return (ntohl(address.s_addr) & 0xFFFF0000u) == 0xA9FE0000u;
}

bool isWireless(const std::string& name) {
  std::error_code ignored;
  const std::filesystem::path device = std::filesystem::path("/sys/class/net") / name;
  return std::filesystem::exists(device / "wireless", ignored) ||
         std::filesystem::exists(device / "phy80211", ignored);
}

// The source address the kernel would use towards `target`, or absent when there is no route.
std::optional<in_addr> sourceAddressFor(sockaddr_in target) {
  if (target.sin_port == 0) target.sin_port = htons(kProbePort);
  Socket probe(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
  if (probe.fd() < 0) return std::nullopt;
  if (::connect(probe.fd(), reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
    return std::nullopt;
  }
  sockaddr_in local{};
  socklen_t length = sizeof local;
  if (::getsockname(probe.fd(), reinterpret_cast<sockaddr*>(&local), &length) != 0) {
    return std::nullopt;
  }
  return local.sin_addr;
}

// The interface that holds `source`.
std::optional<RouteInterface> interfaceWithAddress(in_addr source) {
  ifaddrs* raw = nullptr;
  if (::getifaddrs(&raw) != 0) return std::nullopt;
  std::unique_ptr<ifaddrs, IfAddrsDeleter> list(raw);
  for (const ifaddrs* entry = raw; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
    const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
    if (address->sin_addr.s_addr != source.s_addr) continue;
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

std::optional<RouteInterface> routeTo(const sockaddr_in& target) {
  const std::optional<in_addr> source = sourceAddressFor(target);
  if (!source) return std::nullopt;
  return interfaceWithAddress(*source);
}

// The default route stands for the route to the middleware server.
std::optional<sockaddr_in> resolveTarget(const sockaddr_in& target) {
  if (target.sin_addr.s_addr != htonl(INADDR_ANY)) return target;
  return parseServerAddress(middlewareAddress());
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
  const std::optional<sockaddr_in> resolved = resolveTarget(target->address);
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
  const char* value = std::getenv("KELDA_REACHABILITY");
  if (value == nullptr) return std::nullopt;
  const std::string_view forced(value);
  if (forced == "none") return SCNetworkReachabilityFlags{0};
  if (forced == "wifi") return kSCNetworkReachabilityFlagsReachable;
  if (forced == "wwan") {
    return kSCNetworkReachabilityFlagsReachable | kSCNetworkReachabilityFlagsIsWWAN |
           kSCNetworkReachabilityFlagsTransientConnection;
  }
  return std::nullopt;
}

std::optional<sockaddr_in> parseServerAddress(std::string_view text) {
  std::string_view host = text;
  unsigned port = 80;
  if (const auto colon = text.find(':'); colon != std::string_view::npos) {
    host = text.substr(0, colon);
    const std::string_view digits = text.substr(colon + 1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
    if (error != std::errc() || end != digits.data() + digits.size() || port == 0 || port > 65535) {
      return std::nullopt;
    }
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<in_port_t>(port));
  const std::string hostText(host);
  if (hostText.empty() || ::inet_pton(AF_INET, hostText.c_str(), &address.sin_addr) != 1) {
    return std::nullopt;
  }
  return address;
}

}  // namespace kelda::gateway

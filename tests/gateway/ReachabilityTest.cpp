#include "gateway/Reachability.hpp"

#include <gtest/gtest.h>

#include <string>

#include "gateway/Connectivity.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "support/ClientFixture.hpp"
#include "ui/NetworkActivityIndicator.hpp"
#include "ui/Window.hpp"

namespace kelda::gateway {
namespace {

constexpr SCNetworkReachabilityFlags R = kSCNetworkReachabilityFlagsReachable;
constexpr SCNetworkReachabilityFlags CR = kSCNetworkReachabilityFlagsConnectionRequired;
constexpr SCNetworkReachabilityFlags WWAN = kSCNetworkReachabilityFlagsIsWWAN;
constexpr SCNetworkReachabilityFlags DIRECT = kSCNetworkReachabilityFlagsIsDirect;
constexpr SCNetworkReachabilityFlags TRANSIENT = kSCNetworkReachabilityFlagsTransientConnection;

TEST(ReachabilityRules, StatusOfFlagSets) {
  struct Case {
    SCNetworkReachabilityFlags flags;
    bool available;
    int status;
  };
  const Case cases[] = {
      {0, false, 0},
      {TRANSIENT | WWAN, false, 0},          // not reachable at all
      {R, true, 2},                          // wireless LAN
      {R | CR, false, 0},                    // a connection would have to be set up first
      {R | CR | WWAN | TRANSIENT, true, 1},  // carrier data may bring its link up itself
      {R | WWAN | TRANSIENT, true, 1},
      {R | TRANSIENT, true, 1},
      {R | WWAN, true, 2},
      {R | DIRECT, true, 0},  // ad-hoc network without internet
      {R | DIRECT | TRANSIENT | WWAN, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    EXPECT_EQ(Reachability::isReachableWithoutRequiringConnection(c.flags), c.available);
    EXPECT_EQ(Reachability::statusForFlags(c.flags), c.status);
  }
}

TEST(ReachabilityRules, FlagsOfTheOutgoingInterface) {
  auto route = [](std::string name, bool up, bool loopback, bool wireless, bool linkLocal) {
    return std::optional<RouteInterface>(RouteInterface{name, up, loopback, wireless, linkLocal});
  };
  EXPECT_EQ(flagsForRoute(std::nullopt), 0u);
  EXPECT_EQ(flagsForRoute(route("lo", true, true, false, false)), R);
  EXPECT_EQ(flagsForRoute(route("wlan0", true, false, true, false)), R);
  EXPECT_EQ(flagsForRoute(route("eth0", true, false, false, false)), R);
  EXPECT_EQ(flagsForRoute(route("wwan0", true, false, false, false)), R | TRANSIENT | WWAN);
  EXPECT_EQ(flagsForRoute(route("ppp0", true, false, false, false)), R | TRANSIENT | WWAN);
  EXPECT_EQ(flagsForRoute(route("eth1", false, false, false, false)), 0u);
  EXPECT_EQ(flagsForRoute(route("wlan0", true, false, true, true)), R | DIRECT);
}

TEST(ReachabilityRules, ServerAddressTexts) {
  struct Case {
    const char* text;
    const char* host;
    unsigned port;
  };
  for (const Case& c :
       {Case{"127.0.0.1:8080", "127.0.0.1", 8080}, Case{"10.1.2.3", "10.1.2.3", 80},
        Case{"localhost:8080", "localhost", 8080}, Case{"shop.example.com", "shop.example.com", 80},
        Case{"http://127.0.0.1/", "127.0.0.1", 80},
        Case{"https://shop.example.com", "shop.example.com", 443},
        Case{"https://127.0.0.1:8443/", "127.0.0.1", 8443}, Case{"[::1]:9000", "::1", 9000}}) {
    EXPECT_EQ(parseServerAddress(c.text), (ServerAddress{c.host, c.port})) << c.text;
  }
  for (const char* bad :
       {"", ":80", "127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536", "127.0.0.1:80x", "127.0.0.1:+80",
        "127.0.0.1/path", "[::1", "[::1]x", "a b:80", "user@host:80", "http://"}) {
    EXPECT_FALSE(parseServerAddress(bad)) << bad;
  }
  ASSERT_TRUE(resolveServerAddress("localhost:8080"));
  EXPECT_FALSE(resolveServerAddress("no-such-host.invalid:8080"));
}

class ReachabilityTest : public test::ClientFixture {
 protected:
  int status() { return Reachability::sharedReachability().internetConnectionStatus(); }
};

TEST_F(ReachabilityTest, ForcedStatusAndItsText) {
  struct Case {
    const char* forced;
    int status;
    const char* text;
  };
  for (const Case& c :
       {Case{"none", 0, "NoAccess"}, Case{"wwan", 1, "e"}, Case{"wifi", 2, "wifi"}}) {
    forceReachability(platform::parseForcedReachability(c.forced));
    EXPECT_EQ(status(), c.status) << c.forced;
    EXPECT_EQ(checkNetworkConnectivity(), c.text) << c.forced;
  }
  EXPECT_EQ(connectivityText(3), "3g");
}

TEST_F(ReachabilityTest, LoopbackServerIsReachableAndABadAddressIsNot) {
  SCNetworkReachabilityFlags flags = 0;
  EXPECT_TRUE(Reachability::sharedReachability().isNetworkAvailableFlags(&flags));
  EXPECT_EQ(flags, R);
  EXPECT_EQ(status(), 2);
  EXPECT_FALSE(platform::parseForcedReachability("satellite"));  // an unknown value forces nothing
  // A host name is resolved, with or without a scheme.
  for (const std::string& named : {"localhost:" + std::to_string(server().port()),
                                   "http://localhost:" + std::to_string(server().port())}) {
    setMiddleware(named);
    EXPECT_EQ(status(), 2) << named;
  }
  for (const char* bad : {"", "not an address", "127.0.0.1:http", "no-such-host.invalid"}) {
    setMiddleware(bad);
    EXPECT_EQ(status(), 0) << bad;
    EXPECT_EQ(checkNetworkConnectivity(), "NoAccess") << bad;
  }
}

TEST_F(ReachabilityTest, FixedQueriesAreCreatedOnceAndKept) {
  Reachability& reachability = Reachability::sharedReachability();
  EXPECT_FALSE(reachability.hostName);
  EXPECT_FALSE(reachability.address);
  EXPECT_FALSE(reachability.networkStatusNotificationsEnabled);
  const auto defaultRoute = reachability.queryForKey(kDefaultRouteKey);
  ASSERT_NE(defaultRoute, nullptr);
  EXPECT_EQ(defaultRoute, reachability.queryForKey(kDefaultRouteKey));
  EXPECT_EQ(defaultRoute->hostNameOrAddress, "0.0.0.0");
  EXPECT_TRUE(defaultRoute->runLoops.empty());
  const auto linkLocal = reachability.queryForKey(kLinkLocalAddressKey);
  ASSERT_NE(linkLocal, nullptr);
  EXPECT_EQ(ntohl(linkLocal->reachabilityRef->address.sin_addr.s_addr), 0xA9FE0000u);
  EXPECT_EQ(reachability.queryForKey("10.0.0.1"), nullptr);
}

TEST_F(ReachabilityTest, ConnectivityCheckBlocksOnlyWithoutAConnection) {
  TarnServerAPIs& gateway = TarnServerAPIs::sharedInstance();
  forceReachability(platform::ForcedReachability::Wwan);
  EXPECT_TRUE(gateway.internetConnectionAvailable());
  forceReachability(std::nullopt);
  EXPECT_TRUE(gateway.internetConnectionAvailable());
  runUntilIdle();
  EXPECT_TRUE(ui::Window::shared().alerts().empty());

  ui::setNetworkActivityIndicatorVisible(true);
  forceReachability(platform::ForcedReachability::None);
  EXPECT_FALSE(gateway.internetConnectionAvailable());
  runUntilIdle();
  EXPECT_FALSE(ui::NetworkActivityIndicator::shared().isVisible());
  const auto& alerts = ui::Window::shared().alerts();
  ASSERT_EQ(alerts.size(), 1u);
  EXPECT_EQ(alerts[0].title, "Network Error");
  EXPECT_EQ(alerts[0].message, "No connection found, please try again later.");
  EXPECT_EQ(alerts[0].buttons, std::vector<std::string>{"OK"});
}

}  // namespace
}  // namespace kelda::gateway

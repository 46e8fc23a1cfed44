#include "gateway/Reachability.hpp"

#include <arpa/inet.h>
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
  const auto parsed = parseServerAddress("127.0.0.1:8080");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(ntohs(parsed->sin_port), 8080);
  EXPECT_EQ(ntohl(parsed->sin_addr.s_addr), 0x7F000001u);
  ASSERT_TRUE(parseServerAddress("10.1.2.3"));
  EXPECT_EQ(ntohs(parseServerAddress("10.1.2.3")->sin_port), 80);
  for (const char* bad :
       {"", ":80", "127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536", "127.0.0.1:80x", "127.0.0.1:+80",
        "1.2.3", "localhost:8080", "127.0.0.1/path", "::1", "http://127.0.0.1/"}) {
    EXPECT_FALSE(parseServerAddress(bad)) << bad;
  }
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
    test::ScopedEnv forced("KELDA_REACHABILITY", c.forced);
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
  {
    test::ScopedEnv unknownValue("KELDA_REACHABILITY", "satellite");
    EXPECT_EQ(status(), 2);  // an unknown forced value is ignored
  }
  for (const char* bad : {"", "not an address", "127.0.0.1:http"}) {
    test::ScopedEnv middleware("KELDA_MIDDLEWARE", bad);
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
  {
    test::ScopedEnv carrier("KELDA_REACHABILITY", "wwan");
    EXPECT_TRUE(gateway.internetConnectionAvailable());
  }
  EXPECT_TRUE(gateway.internetConnectionAvailable());
  runUntilIdle();
  EXPECT_TRUE(ui::Window::shared().alerts().empty());

  ui::setNetworkActivityIndicatorVisible(true);
  test::ScopedEnv offline("KELDA_REACHABILITY", "none");
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

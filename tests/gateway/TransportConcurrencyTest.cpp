#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gateway/TarnServerAPIs.hpp"
#include "platform/RunLoop.hpp"
#include "support/ClientFixture.hpp"
#include "ui/Window.hpp"

namespace kelda::gateway {
namespace {

class TransportConcurrencyTest : public test::ClientFixture {};

TEST_F(TransportConcurrencyTest, WorkersInFlightTogetherEachGetTheirOwnAnswer) {
  constexpr int kWorkers = 8;
  std::vector<long long> ids(kWorkers, -1);
  for (int i = 0; i < kWorkers; ++i) {
    server().answer("/store/" + std::to_string(i), "{\"id\":" + std::to_string(i) + "}");
  }
  for (int i = 0; i < kWorkers; ++i) {
    const std::string url = server().url("/store/" + std::to_string(i));
    platform::detachThread([&ids, i, url] {
      TarnServerAPIs& gateway = TarnServerAPIs::sharedInstance();
      const long long id =
          gateway.downloadPostData(url, "storeId=" + std::to_string(i))["id"].intValue();
      platform::performOnMainThread([&ids, i, id] { ids[i] = id; }, false);
    });
  }
  runUntilIdle();
  for (int i = 0; i < kWorkers; ++i) EXPECT_EQ(ids[i], i);
  EXPECT_EQ(server().requestCount(), static_cast<std::size_t>(kWorkers));
}

TEST_F(TransportConcurrencyTest, NoConnectionAlertsFromWorkersAppearOnTheMainThread) {
  forceReachability(platform::ForcedReachability::None);
  constexpr int kWorkers = 4;
  std::vector<int> answers(kWorkers, -1);
  for (int i = 0; i < kWorkers; ++i) {
    platform::detachThread([&answers, i] {
      const bool available = TarnServerAPIs::sharedInstance().internetConnectionAvailable();
      platform::performOnMainThread([&answers, i, available] { answers[i] = available; }, false);
    });
  }
  runUntilIdle();
  for (int answer : answers) EXPECT_EQ(answer, 0);
  const auto& alerts = ui::Window::shared().alerts();
  ASSERT_EQ(alerts.size(), static_cast<std::size_t>(kWorkers));
  for (const ui::AlertView& alert : alerts) {
    EXPECT_EQ(alert.title, "Network Error");
    EXPECT_EQ(alert.message, "No connection found, please try again later.");
  }
  EXPECT_EQ(server().requestCount(), 0u);
}

}  // namespace
}  // namespace kelda::gateway

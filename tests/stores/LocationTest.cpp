// The position provider and the location controller: configured positions, scripted fixes,
// refusals and silence, and the report texts a waiting screen reads.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/PositionProvider.hpp"
#include "stores/LocationReport.hpp"
#include "stores/MyCLController.hpp"
#include "support/ClientFixture.hpp"

namespace kelda::stores {
namespace {

using platform::PositionFailure;
using platform::PositionFix;
using platform::PositionProvider;

class Listener : public MyCLControllerDelegate {
 public:
  void newLocationUpdate(const std::string& text) override { reports.push_back(text); }
  std::vector<std::string> reports;
};

class LocationTest : public kelda::test::ClientFixture {
 protected:
  LocationTest() { MyCLController::sharedInstance().delegate = listener_; }
  std::vector<std::string>& reports() { return listener_->reports; }
  void setPosition(std::optional<std::string> position) {
    updateOptions([&](platform::Options& options) { options.position = std::move(position); });
  }
  std::shared_ptr<Listener> listener_ = std::make_shared<Listener>();
};

TEST_F(LocationTest, ConfiguredPositionIsReportedOnlyWhenItIsAPlaceOnEarth) {
  struct Case {
    std::optional<std::string> configured;
    std::string report;
  };
  const std::vector<Case> cases{
      {"40.7484,-73.9857", "40.748400, -73.985700\n"},
      {" -33.8688 , 151.2093 ", "-33.868800, 151.209300\n"},
      {"90,180", "90.000000, 180.000000\n"},
      {"90.5,0", kLocationUnknown},
      {"0,-180.01", kLocationUnknown},
      {"north,west", kLocationUnknown},
      {"nan,1", kLocationUnknown},
      {"inf,1", kLocationUnknown},
      {"0x10,1", kLocationUnknown},
      {"40.7", kLocationUnknown},
      {"", kLocationUnknown},
      {std::nullopt, kLocationUnknown},
  };
  for (const Case& c : cases) {
    setPosition(c.configured);
    reports().clear();
    MyCLController::sharedInstance().startUpdatingLocation();
    runUntilIdle();
    ASSERT_EQ(reports().size(), 1u) << c.configured.value_or("(none)");
    EXPECT_EQ(reports()[0], c.report) << c.configured.value_or("(none)");
    EXPECT_FALSE(MyCLController::sharedInstance().isUpdating());
  }
}

TEST(LocationReportTest, OnlyAFixReadsAsAPosition) {
  struct Case {
    platform::PositionOutcome outcome;
    std::string report;
    bool position;
  };
  const std::vector<Case> cases{
      {PositionFix{51.5, -0.12, 5}, "51.500000, -0.120000\n", true},
      {PositionFix{51.5, -0.12, -1}, kLatLongUnavailable, false},
      {PositionFailure{"kCLErrorDomain", 0, ""}, kLocationUnknown, false},
      {PositionFailure{"kCLErrorDomain", 1, ""}, kLocationDenied, false},
      {PositionFailure{"kCLErrorDomain", 2, ""}, "Your position could not be found. Error 2\n",
       false},
      // A description with ", " in it must not pass for a latitude and a longitude.
      {PositionFailure{"NSURLErrorDomain", -1009, "1, 2"},
       "Error domain: \"NSURLErrorDomain\"  Error code: -1009\nDescription: \"1, 2\"\n", false},
  };
  for (const Case& c : cases) {
    const std::string report = MyCLController::reportFor(c.outcome);
    EXPECT_EQ(report, c.report);
    EXPECT_EQ(positionOfReport(report).has_value(), c.position) << report;
  }
  const auto position = positionOfReport("51.500000, -0.120000\n");
  ASSERT_TRUE(position);
  EXPECT_EQ(position->latitude, "51.500000");
  EXPECT_EQ(position->longitude, "-0.120000");  // without the line break
  EXPECT_FALSE(positionOfReport("1, 2, 3"));
}

TEST_F(LocationTest, ScriptedOutcomesAndSilenceEndInOneReportEach) {
  auto& provider = PositionProvider::shared();
  provider.script({PositionFailure{"kCLErrorDomain", 1, ""}, std::nullopt, PositionFix{1, 2, 3}});
  auto& controller = MyCLController::sharedInstance();

  controller.startUpdatingLocation();
  runUntilIdle();
  EXPECT_EQ(reports(), std::vector<std::string>{kLocationDenied});

  // A provider that never answers: nothing until the time-out, then "unknown", once.
  controller.startUpdatingLocation();
  runUntilIdle();
  advanceBy(MyCLController::kTimeout - std::chrono::seconds(1));
  EXPECT_EQ(reports().size(), 1u);
  EXPECT_TRUE(controller.isUpdating());
  advanceBy(std::chrono::seconds(1));
  ASSERT_EQ(reports().size(), 2u);
  EXPECT_EQ(reports()[1], kLocationUnknown);
  EXPECT_FALSE(controller.isUpdating());
  advanceBy(MyCLController::kTimeout);
  EXPECT_EQ(reports().size(), 2u);

  // Stopped before the fix arrives: the fix is dropped, and so is the time-out.
  controller.startUpdatingLocation();
  controller.stopUpdatingLocation();
  runUntilIdle();
  advanceBy(MyCLController::kTimeout);
  EXPECT_EQ(reports().size(), 2u);
  EXPECT_EQ(provider.starts(), 3);
}

}  // namespace
}  // namespace kelda::stores

// Find in store: the article at the top, the form's rules and exact bodies, the result rows
// with their availability, and never an earlier answer shown as a new one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stores/FindInStoreCell.hpp"
#include "stores/FindInStoreViewController.hpp"
#include "stores/MapViewController.hpp"
#include "stores/StoreAlerts.hpp"
#include "stores/StoreFieldChecks.hpp"
#include "stores/StoresFixture.hpp"
#include "ui/Label.hpp"

namespace kelda::stores {
namespace {

using fixture::Alert;
using fixture::dataAnswer;
using fixture::storeJson;

std::vector<std::string> texts(const std::shared_ptr<ui::TableViewCell>& cell) {
  std::vector<std::string> out;
  if (!cell) return out;
  for (const auto& view : cell->subviews()) {
    if (auto* label = dynamic_cast<ui::Label*>(view.get()); label && !label->text.empty() &&
                                                            label != &cell->textLabel() &&
                                                            label != &cell->detailTextLabel()) {
      out.push_back(label->text);
    }
    if (auto* button = dynamic_cast<ui::Button*>(view.get()))
      out.push_back("[" + button->title + "]");
  }
  return out;
}

class FindInStoreTest : public fixture::StoresFixture {
 protected:
  FindInStoreTest() {
    screen_ = FindInStoreViewController::create(json::Value::object({{"Title", "Fern Dress"},
                                                                     {"Price", "49.99"},
                                                                     {"Color", "Red"},
                                                                     {"Size", "Select Size"},
                                                                     {"upcNumber", "4001"}}));
    navigation_->pushViewController(screen_, false);
    runUntilIdle();
  }
  void searchZip(const std::string& zip) {
    act(actor().type("field.zip", zip));
    tap("button.goZip");
  }
  std::shared_ptr<FindInStoreViewController> screen_;
};

TEST_F(FindInStoreTest, FormRulesAndExactBodies) {
  EXPECT_EQ(screen_->title(), "Find In Store");
  EXPECT_EQ(texts(screen_->tableView().cellForRowAtIndexPath({0, 0})),
            (std::vector<std::string>{"Fern Dress", "$49.99", "Color: Red"}));
  for (const std::string zip : {"", "1234", "123456", "12a45", "abcde"}) {
    searchZip(zip);
    EXPECT_EQ(alert(), Alert(kSorryTitle, kInvalidZipLower)) << zip;
    dismissAlert();
  }
  struct Case {
    std::string city, state, message;
  };
  for (const Case& c : std::vector<Case>{{"", "", kInvalidCityAndState},
                                         {"", "Texas", kInvalidCity},
                                         {"Paris2", "Texas", kInvalidCity},
                                         {"Paris", "", kInvalidState}}) {
    act(actor().type("field.city", c.city));
    tap("button.state");
    if (c.state.empty()) {
      act(actor().cancel());
    } else {
      act(actor().pick("picker", {c.state}));
      act(actor().done());
    }
    tap("button.goCity");
    EXPECT_EQ(alert().second, c.message) << c.city << "/" << c.state;
    dismissAlert();
  }
  EXPECT_EQ(server().requestCount(), 0u);

  server().answer("/findinstore", R"({"error":true,"errorMsg":"No store"})");
  searchZip("10001");
  EXPECT_EQ(lastBody("/findinstore"), "zipcode=10001&upcId=4001");
  EXPECT_EQ(
      alert(),
      Alert("Sorry !", "We're sorry, we couldn't find any store that matched your search term."));
  dismissAlert();
  act(actor().type("field.city", "St. Louis & Co"));
  tap("button.state");
  act(actor().pick("picker", {"Missouri"}));
  act(actor().done());
  tap("button.goCity");
  EXPECT_EQ(lastBody("/findinstore"), "city=St. Louis %26 Co&state=Missouri&upcId=4001");
  dismissAlert();
  updateOptions([](platform::Options& options) { options.position = "38.627,-90.199"; });
  tap("button.locate");
  EXPECT_EQ(lastBody("/findinstore"), "latitude=38.627000&longitude=-90.199000&upcId=4001");
  EXPECT_EQ(screen_->pageFlag(), FindInStoreViewController::kSearchForm);
}

TEST_F(FindInStoreTest, ResultsShowEachStoresAvailabilityAndItsActions) {
  server().answer(
      "/findinstore",
      dataAnswer(storeJson("1", "Herald Square", R"("storeAvailability":"AVAILABLE")") + "," +
                 storeJson("2", "Soho", R"("storeAvailability":"LIMITED","addressLine2":"")") +
                 "," + storeJson("3", "Queens", R"("storeAvailability":"NOTAVAILABLE")") + "," +
                 storeJson("4", "Bronx", R"("storeAvailability":"SOON")")));
  searchZip("10001");
  ASSERT_EQ(screen_->pageFlag(), FindInStoreViewController::kResults);
  auto& table = screen_->tableView();
  ASSERT_EQ(table.numberOfSections(), 5);
  EXPECT_EQ(texts(table.cellForRowAtIndexPath({1, 0})),
            (std::vector<std::string>{"Herald Square", "1 Main St, Suite 2, New York, NY 10001 US",
                                      "Distance", "1.5 miles", "Availability", "Available", "[Map]",
                                      "[Directions]", "[Call]"}));
  EXPECT_EQ(texts(table.cellForRowAtIndexPath({2, 0}))[1], "1 Main St, New York, NY 10001 US");
  EXPECT_EQ(texts(table.cellForRowAtIndexPath({2, 0}))[5], "Limited Available");
  EXPECT_EQ(texts(table.cellForRowAtIndexPath({3, 0}))[5], "Not Available");
  EXPECT_EQ(texts(table.cellForRowAtIndexPath({4, 0}))[5], "SOON");

  tap("row.1.0.button.1");
  tap("row.1.0.button.2");
  EXPECT_EQ(opened(), (std::vector<std::string>{
                          "http://" + server().address() +
                              "/maps?saddr=&daddr=1+Main+St%2C+Suite+2+New+York%2C+NY+US10001",
                          "tel:2125550100"}));
  tap("row.1.0.button.0");
  auto* map = topAs<MapViewController>();
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->mapView().pins().size(), 1u);
  act(actor().back());

  tap("button.return");
  EXPECT_EQ(screen_->pageFlag(), FindInStoreViewController::kSearchForm);
  EXPECT_EQ(table.numberOfSections(), 2);
}

TEST_F(FindInStoreTest, ASearchWithoutAnAnswerNeverShowsAnEarlierAvailability) {
  server().answer("/findinstore", dataAnswer(storeJson("1", "Herald Square",
                                                       R"("storeAvailability":"AVAILABLE")")));
  searchZip("10001");
  ASSERT_EQ(screen_->pageFlag(), FindInStoreViewController::kResults);
  tap("button.return");

  server().answer("/findinstore",
                  kelda::test::FakeAnswer{"", 200, "application/json", {}, false, true});
  searchZip("94105");
  EXPECT_EQ(alert(), Alert(kSorryTitle, kNoAnswerMessage));
  dismissAlert();
  EXPECT_EQ(screen_->pageFlag(), FindInStoreViewController::kSearchForm);
  EXPECT_EQ(screen_->stores().size(), 0u);

  forceReachability(platform::ForcedReachability::None);
  searchZip("94105");
  EXPECT_EQ(alert().first, "Network Error");
  EXPECT_EQ(screen_->pageFlag(), FindInStoreViewController::kSearchForm);
  EXPECT_EQ(screen_->tableView().numberOfSections(), 2);
  EXPECT_FALSE(overlayShown());
}

}  // namespace
}  // namespace kelda::stores

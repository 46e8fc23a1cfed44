// The store locator menu and the store search form: entry rules, exact bodies, the answers'
// screens and messages, the position search, and savings-pass mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gateway/TarnObjects.hpp"
#include "platform/PositionProvider.hpp"
#include "stores/InStoreSavingPassViewController.hpp"
#include "stores/LocationReport.hpp"
#include "stores/MyCLController.hpp"
#include "stores/NoInStoreSavingPassViewController.hpp"
#include "stores/SearchStoreViewController.hpp"
#include "stores/StatePicker.hpp"
#include "stores/StoreAlerts.hpp"
#include "stores/StoreFieldChecks.hpp"
#include "stores/StoreListsViewController.hpp"
#include "stores/StoresFixture.hpp"

namespace kelda::stores {
namespace {

using fixture::Alert;
using fixture::dataAnswer;
using fixture::storeJson;

class StoreSearchTest : public fixture::StoresFixture {
 protected:
  // Opens the form from the menu row (0 stores, 2 savings pass).
  SearchStoreViewController& openSearch(int menuSection = 0) {
    tap("row." + std::to_string(menuSection) + ".0");
    auto* search = topAs<SearchStoreViewController>();
    EXPECT_NE(search, nullptr);
    return *search;
  }
  void searchZip(const std::string& zip) {
    act(actor().type("field.zip", zip));
    tap("button.goZip");
  }
  void searchCity(const std::string& city, const std::string& state) {
    act(actor().type("field.city", city));
    if (!state.empty()) {
      tap("button.state");
      act(actor().pick("picker", {state}));
      act(actor().done());
    }
    tap("button.goCity");
  }
};

TEST_F(StoreSearchTest, MenuOpensTheOneSearchFormInStoreOrSavingsPassMode) {
  auto& table = locator_->tableView();
  ASSERT_EQ(table.numberOfSections(), 3);
  EXPECT_EQ(table.cellForRowAtIndexPath({0, 0})->visibleText(), "view kelda's stores");
  EXPECT_EQ(table.cellForRowAtIndexPath({1, 0})->visibleText(), "events at my kelda's");
  EXPECT_EQ(table.cellForRowAtIndexPath({2, 0})->visibleText(), "instore savings Pass");
  EXPECT_EQ(locator_->title(), "Stores");

  auto& stores = openSearch(1);
  EXPECT_FALSE(stores.flagValue);
  EXPECT_EQ(stores.title(), "Stores");
  EXPECT_EQ(stores.zipTextField().placeholder, "Enter Zip Code");
  EXPECT_EQ(stores.cityTextField().placeholder, "Enter City");
  EXPECT_EQ(stores.stateButton().title, "Select State");
  ASSERT_FALSE(stores.pickerViewArray().empty());
  EXPECT_TRUE(std::is_sorted(stores.pickerViewArray().begin(), stores.pickerViewArray().end()));
  act(actor().back());
  auto& savings = openSearch(2);
  EXPECT_EQ(&savings, &stores);
  EXPECT_TRUE(savings.flagValue);
}

TEST_F(StoreSearchTest, ZipEntriesAreCheckedBeforeAnythingIsSent) {
  server().answer("/store_locator", dataAnswer(storeJson("1", "Herald Square")));
  openSearch();
  const std::vector<std::pair<std::string, std::string>> refused{
      {"", kFillZipOrCity},
      {"1234", kInvalidZip},
      {"123456", kInvalidZip},
      {"12a45", kInvalidZip},
      {"abcde", kInvalidZip},
      {"12 45", kInvalidZip},
      {"\u0661\u0662\u0663\u0664\u0665", kInvalidZip},  // Arabic-Indic digits
  };
  for (const auto& [zip, message] : refused) {
    searchZip(zip);
    EXPECT_EQ(alert(), Alert(kSorryTitle, message)) << zip;
    dismissAlert();
  }
  EXPECT_EQ(server().requestCount(), 0u);
  searchZip("10001");
  EXPECT_EQ(lastBody("/store_locator"), "zipcode=10001");
  EXPECT_NE(topAs<StoreListsViewController>(), nullptr);
}

TEST_F(StoreSearchTest, CityAndStateRulesAndTheStateButton) {
  server().answer("/store_locator", dataAnswer(storeJson("1", "Herald Square")));
  auto& search = openSearch();
  struct Case {
    std::string city, state, message;
  };
  const std::vector<Case> refused{
      {"", "", kInvalidCityAndState},
      {"", "Alabama", kInvalidCity},
      {"Paris2", "Texas", kInvalidCity},
      {"Paris", "", kInvalidCityAndState},
  };
  for (const Case& c : refused) {
    searchCity(c.city, c.state);
    EXPECT_EQ(alert().second, c.message) << c.city << "/" << c.state;
    dismissAlert();
    // Cancel forgets the state again.
    tap("button.state");
    act(actor().cancel());
    EXPECT_EQ(search.stateTitle(), "Select State");
  }
  EXPECT_EQ(server().requestCount(), 0u);

  // The city field takes 25 characters at most.
  act(actor().type("field.city", std::string(26, 'a')));
  EXPECT_EQ(search.cityTextField().text, std::string(25, 'a'));
  searchCity("Salt & Pepper+%", "New York");
  EXPECT_EQ(search.stateButton().title, "New York");
  EXPECT_EQ(lastBody("/store_locator"), "city=Salt %26 Pepper%2B%25&state=New York");

  EXPECT_EQ(StatePicker::buttonTitle("Commonwealth of the Northern Mariana Islands"),
            "Commonwealth of the Northern M...");
  EXPECT_EQ(StatePicker::buttonTitle(std::string(30, 'x')), std::string(30, 'x'));
}

TEST_F(StoreSearchTest, AnErrorAnswerSaysNoStoresAnyOtherOpensTheList) {
  openSearch();
  server().answer("/store_locator",
                  R"({"error":true,"errorMsg":"We couldn't find any stores near 99999."})");
  searchZip("99999");
  EXPECT_EQ(alert(), Alert("No Stores!", "We couldn't find any stores near 99999."));
  dismissAlert();
  server().answer("/store_locator", R"({"data":[]})");
  searchZip("99999");
  auto* list = topAs<StoreListsViewController>();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->title(), "Kelda's Store");
  EXPECT_EQ(list->tableView().numberOfSections(), 0);
  EXPECT_FALSE(overlayShown());
}

TEST_F(StoreSearchTest, ASearchWithoutAnAnswerNeverShowsThePreviousStores) {
  auto& search = openSearch();
  server().answer("/store_locator", dataAnswer(storeJson("1", "Herald Square")));
  searchZip("10001");
  ASSERT_NE(topAs<StoreListsViewController>(), nullptr);
  act(actor().back());
  const json::Value previous = gateway::TarnObjects::sharedInstance().storeLocationsRecord();

  for (const auto& answer :
       {kelda::test::FakeAnswer{"<html>busy</html>", 500, "text/html"},
        kelda::test::FakeAnswer{"", 200, "application/json", {}, false, true}}) {
    server().answer("/store_locator", answer);
    searchZip("10002");
    EXPECT_EQ(top(), &search);
    EXPECT_EQ(alert(), Alert(kSorryTitle, kNoAnswerMessage));
    dismissAlert();
  }
  forceReachability(platform::ForcedReachability::None);
  const auto sent = server().requestCount();
  searchZip("10003");
  EXPECT_EQ(top(), &search);
  EXPECT_EQ(alert().first, "Network Error");
  EXPECT_EQ(server().requestCount(), sent);
  EXPECT_EQ(gateway::TarnObjects::sharedInstance().storeLocationsRecord(), previous);
  EXPECT_FALSE(overlayShown());
}

TEST_F(StoreSearchTest, PositionSearchSendsTheFixAndTellsWhyThereIsNone) {
  server().answer("/store_locator", dataAnswer(storeJson("1", "Herald Square")));
  auto& search = openSearch(2);  // savings-pass mode: a position still asks for stores
  updateOptions([](platform::Options& options) { options.position = "40.7484,-73.9857"; });
  tap("button.locate");
  EXPECT_EQ(lastBody("/store_locator"), "latitude=40.748400&longitude=-73.985700");
  EXPECT_EQ(search.latitude(), "40.748400");
  EXPECT_EQ(gateway::TarnObjects::sharedInstance()._longitude().str(), "-73.985700");
  ASSERT_NE(topAs<StoreListsViewController>(), nullptr);
  act(actor().back());

  platform::PositionProvider::shared().script(
      {platform::PositionFailure{"kCLErrorDomain", platform::kLocationDenied, ""}, std::nullopt});
  tap("button.locate");
  EXPECT_EQ(alert(), Alert(kSorryTitle, kLocationDenied));
  EXPECT_FALSE(overlayShown());
  dismissAlert();

  // A provider that never answers: the overlay holds the screen until the time-out.
  tap("button.locate");
  EXPECT_TRUE(overlayShown());
  EXPECT_FALSE(actor().tap("button.goZip").ok);
  advanceBy(MyCLController::kTimeout);
  EXPECT_FALSE(overlayShown());
  EXPECT_EQ(alert(), Alert(kSorryTitle, kLocationUnknown));
  EXPECT_EQ(server().requestsTo("/store_locator").size(), 1u);
  EXPECT_EQ(top(), &search);
}

TEST_F(StoreSearchTest, SavingsPassModeOpensThePassOnlyForSuccessOne) {
  openSearch(2);
  struct Case {
    std::string success;
    bool pass;
  };
  const std::vector<Case> cases{{"1", true},       {R"("1")", true},    {"0", false},
                                {R"("0")", false}, {R"("yes")", false}, {"true", false},
                                {"null", false}};
  for (const Case& c : cases) {
    server().answer("/instore_savingspass",
                    R"({"success":)" + c.success +
                        R"(,"data":{"savingsPassTitle":"Spring","validityFrom":"03/01/2026",)"
                        R"("validityTo":"03/31/2026"}})");
    searchZip("10001");
    EXPECT_EQ(topAs<InStoreSavingPassViewController>() != nullptr, c.pass) << c.success;
    EXPECT_EQ(topAs<NoInStoreSavingPassViewController>() != nullptr, !c.pass) << c.success;
    // Its right-hand button returns to the form to ask for another place.
    act(actor().tap("nav.right"));
    ASSERT_NE(topAs<SearchStoreViewController>(), nullptr);
  }
  EXPECT_EQ(lastBody("/instore_savingspass"), "zipcode=10001");
  // Without an answer of its own the form stays: no earlier pass is shown as this one.
  server().answer("/instore_savingspass", kelda::test::FakeAnswer{"<html/>", 503, "text/html"});
  searchZip("10001");
  EXPECT_NE(topAs<SearchStoreViewController>(), nullptr);
  EXPECT_EQ(alert(), Alert(kSorryTitle, kNoAnswerMessage));
  dismissAlert();
  server().answer("/instore_savingspass", R"({"success":0})");
  searchCity("Boise", "Idaho");
  EXPECT_EQ(lastBody("/instore_savingspass"), "city=Boise&state=Idaho");
  EXPECT_EQ(server().requestsTo("/store_locator").size(), 0u);
}

}  // namespace
}  // namespace kelda::stores

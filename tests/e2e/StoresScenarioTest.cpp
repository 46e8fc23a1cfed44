// The store locator end to end: kelda-cli scripts against kelda-middleware (stores near a
// configured position, details, events, directions and call, the savings pass, the map; find
// in store from a product page) and against the fake middleware (a store without coordinates,
// near the position given by --position, placed on the map through the geocoder).
//
// The locator is opened from the more tab's "store information" entry and find in store from
// the product page's "FIND IT IN STORE" button; a build whose more tab or product page does
// not offer them yet skips those scenarios.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "e2e/E2eFixture.hpp"
#include "support/FakeMiddleware.hpp"

namespace kelda::test {
namespace {

constexpr const char* kOpenLocator =
    "alert Later\n"
    "tab more\n"
    "tap store information\n"
    "tap view kelda's stores\n";

// Skips when the run stopped because an entry this scenario starts from is not there yet.
#define SKIP_WITHOUT_ENTRY(run, entry)                                             \
  if ((run).status == 2 && (run).err.find("\"" entry "\"") != std::string::npos) { \
    GTEST_SKIP() << "no \"" entry "\" entry to start from yet: " << (run).err;     \
  }

bool has(const std::string& screen, const std::string& text) {
  return screen.find(text) != std::string::npos;
}

class StoresScenario : public E2eFixture {
 protected:
  // About 16 products per subcategory: enough for a dress to find in stores.
  static void SetUpTestSuite() { startServer({2500, 1}); }
};

TEST_F(StoresScenario, StoresNearThePositionDetailsEventsSavingsPassAndMap) {
  KeldaCli client = cli();
  client.setEnvironment("KELDA_POSITION", "40.7484,-73.9857");
  const CliRun run = client.run(std::string(kOpenLocator) +
                                    "tap button.locate\n"
                                    "tap row.0.0\n"
                                    "tap row.0.0.button.1\n"
                                    "tap row.0.0.button.2\n"
                                    "tap VIEW EVENTS\n"
                                    "tap row.1.1\n"
                                    "back\n"
                                    "back\n"
                                    "tap INSTORE SAVINGS PASS\n"
                                    "tap VIEW PASS DETAILS\n"
                                    "back\n"
                                    "back\n"
                                    "back\n"
                                    "tap row.0.1.button.0\n"
                                    "quit\n",
                                home());
  SKIP_WITHOUT_ENTRY(run, "store information");
  ASSERT_EQ(run.status, 0) << run.describe();

  const std::string list = run.after("tap button.locate");
  EXPECT_TRUE(has(list, "== Kelda's Store ==")) << list;
  EXPECT_TRUE(has(list, "Kelda's Herald Square")) << list;  // the nearest store first
  const std::string details = run.after("tap row.0.0");
  EXPECT_TRUE(has(details, "Kelda's Herald Square Store Hours")) << details;
  EXPECT_TRUE(has(details, "Monday - Saturday")) << details;
  EXPECT_TRUE(has(run.after("tap row.0.0.button.1"),
                  "Opened: http://" + server().address() + "/maps?saddr=&daddr="))
      << run.out;
  EXPECT_TRUE(has(run.after("tap row.0.0.button.2"), "Opened: tel:1005550100\n")) << run.out;

  const std::string events = run.after("tap VIEW EVENTS");
  EXPECT_TRUE(has(events, "== Store Events ==")) << events;
  EXPECT_TRUE(has(events, "View Store Events:")) << events;
  const std::string event = run.after("tap row.1.1");
  EXPECT_TRUE(has(event, "== Event Details ==")) << event;
  EXPECT_TRUE(has(event, "\n    Free for every shopper.\n")) << event;  // "\n" as a line break

  const std::string pass = run.after("tap INSTORE SAVINGS PASS");
  EXPECT_TRUE(has(pass, "instore savings pass")) << pass;
  EXPECT_TRUE(has(pass, "Period of Validity:")) << pass;
  const std::string document = run.after("tap VIEW PASS DETAILS");
  EXPECT_TRUE(has(document, "== Instore Savings Pass ==")) << document;
  EXPECT_TRUE(has(document, "/pdf/pass/Northeast.pdf")) << document;

  const std::string map = run.after("tap row.0.1.button.0");
  EXPECT_TRUE(has(map, "== Store Information ==")) << map;
  EXPECT_TRUE(has(map, "Kelda's Herald Square")) << map;
  EXPECT_TRUE(has(map, "pin.0")) << map;
}

TEST_F(StoresScenario, FindTheChosenArticleInStoresByZip) {
  const CliRun run = cli().run(
      "alert Later\n"
      "search dress\n"
      "tap row.0.0\n"
      "tap FIND IT IN STORE\n"
      "alert OK\n"
      "tap size:\n"
      "tap row.0.0\n"
      "tap color:\n"
      "tap row.0.0\n"
      "tap FIND IT IN STORE\n"
      "type field.zip 1000\n"
      "tap button.goZip\n"
      "alert OK\n"
      "type field.zip 10001\n"
      "tap button.goZip\n"
      "quit\n",
      home());
  SKIP_WITHOUT_ENTRY(run, "FIND IT IN STORE");
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_TRUE(has(run.after("tap FIND IT IN STORE"),
                  "Please ensure that you have selected a size for the item you are trying to "
                  "find in-store."))
      << run.out;
  const std::string form = run.out.substr(run.out.rfind("> tap FIND IT IN STORE"));
  EXPECT_TRUE(has(form, "== Find In Store ==")) << form;
  const std::string refused = run.out.substr(run.out.find("> tap button.goZip"));
  EXPECT_TRUE(has(refused, "Please enter a valid zip code")) << refused;
  const std::string results = run.out.substr(run.out.rfind("> tap button.goZip"));
  EXPECT_TRUE(has(results, "Kelda's Herald Square")) << results;
  EXPECT_TRUE(has(results, "Availability")) << results;
  EXPECT_TRUE(has(results, "button.return [Return]")) << results;
}

TEST(StoresFakeMiddlewareScenario, AStoreWithoutCoordinatesIsPlacedThroughTheGeocoder) {
  if (const std::string missing = missingPrograms(); !missing.empty()) GTEST_SKIP() << missing;
  FakeMiddleware fake;
  fake.answer("/coremetrics_url", R"({"data":")" + fake.url("/tag") + R"("})");
  fake.answer("/tag", "{}");
  fake.answer(
      "/store_locator",
      R"({"data":[{"storeId":"7","storeName":"Kelda's Pier 17","addressLine1":"89 South St",)"
      R"("addressLine2":"","addrCity":"New York","addrState":"NY","addrCountryCode":"US",)"
      R"("addrPostalCode":"10038","addrPhoneNumber":"212-555-0117"}]})");
  fake.answer("/maps/geo",
              FakeAnswer{R"(<?xml version="1.0" encoding="UTF-8"?><kml xmlns="http://earth.google.)"
                         R"(com/kml/2.0"><Response><Status><code>200</code></Status><Placemark>)"
                         R"(<Point><coordinates>-74.0031,40.7063,0</coordinates></Point>)"
                         R"(</Placemark></Response></kml>)",
                         200, "application/vnd.google-earth.kml+xml"});
  TempDirectory dir;
  KeldaCli client(fake.address(), fake.address(), dir.path());
  // The front end's option takes the place of the environment's position.
  client.setEnvironment("KELDA_POSITION", "51.5007,-0.1246");
  const CliRun run =
      client.run(std::string(kOpenLocator) +
                     "tap button.locate\n"
                     "tap row.0.1.button.0\n"
                     "quit\n",
                 dir.path() / "home", std::chrono::seconds(60), {"--position", "40.7063,-74.0031"});
  SKIP_WITHOUT_ENTRY(run, "store information");
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_EQ(fake.lastRequest("/store_locator")->body, "latitude=40.706300&longitude=-74.003100");
  const auto geocoder = fake.lastRequest("/maps/geo");
  ASSERT_TRUE(geocoder) << run.out;
  EXPECT_TRUE(geocoder->query.starts_with("q=89%20South%20St%20New%20York%20NY%2010038%20US&"))
      << geocoder->query;
  const std::string map = run.after("tap row.0.1.button.0");
  EXPECT_TRUE(has(map, "== Store Information ==")) << map;
  EXPECT_TRUE(has(map, "Kelda's Pier 17")) << map;
  EXPECT_TRUE(has(map, "40.706300, -74.003100")) << map;
}

}  // namespace
}  // namespace kelda::test

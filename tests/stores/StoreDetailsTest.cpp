// Store list, details, events, event details and the savings pass reached from a store: rows,
// exact bodies, messages, and the outside addresses the screens open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "images/TestPng.hpp"
#include "stores/EventDetailsViewController.hpp"
#include "stores/InStoreSavingPassViewController.hpp"
#include "stores/MapViewController.hpp"
#include "stores/SearchStoreViewController.hpp"
#include "stores/StoreAlerts.hpp"
#include "stores/StoreDetailsViewController.hpp"
#include "stores/StoreEventsViewController.hpp"
#include "stores/StoreListsViewController.hpp"
#include "stores/StoresFixture.hpp"
#include "support/PDFViewController.hpp"

namespace kelda::stores {
namespace {

using fixture::Alert;
using fixture::dataAnswer;
using fixture::storeJson;

// Two stores of one name; the second has an address full of URL delimiters and neither hours
// nor a telephone.
const std::string kStores =
    dataAnswer(storeJson("17", "Midtown", R"("addrPhoneNumber":"212_555-0100")") + "," +
               R"({"storeId":"42","storeName":"Midtown","addressLine1":"5 Rock & Roll Ave #3",)"
               R"("addressLine2":"O'Hara/West?x=1","addrCity":"New York","addrState":"NY",)"
               R"("addrCountryCode":"US","addrPostalCode":"10002"})");

const std::string kEvents = R"({"data":[
  {"storeEventName":"Spring Fashion Show","storeEventDesc":"Runway\\nand music",
   "storeEventStartDate":"03/01/2026","storeEventFinishDate":"03/05/2026"},
  {"storeEventName":"Trunk Show","storeEventStartDate":"early spring"}]})";

std::string cellText(ui::TableView& table, ui::IndexPath at) {
  auto cell = table.cellForRowAtIndexPath(at);
  if (!cell) return "(none)";
  std::string text = cell->textLabel().text + "|" + cell->detailTextLabel().text;
  for (const auto& view : cell->subviews()) {
    if (auto* label = dynamic_cast<ui::Label*>(view.get()); label && !label->text.empty() &&
                                                            label != &cell->textLabel() &&
                                                            label != &cell->detailTextLabel()) {
      text += "|" + label->text;
    }
    if (auto* button = dynamic_cast<ui::Button*>(view.get())) text += "|[" + button->title + "]";
  }
  return text;
}

class StoreDetailsTest : public fixture::StoresFixture {
 protected:
  StoreDetailsTest() {
    server().answer("/store_locator", kStores);
    server().answer("/store_events", kEvents);
    tap("row.0.0");
    act(actor().type("field.zip", "10001"));
    tap("button.goZip");
  }
  StoreListsViewController& list() { return *topAs<StoreListsViewController>(); }
  std::string maps() { return "http://" + server().address() + "/maps"; }
};

TEST_F(StoreDetailsTest, ListRowsCallDirectionsAndMap) {
  auto& table = list().tableView();
  ASSERT_EQ(table.numberOfSections(), 2);
  EXPECT_EQ(cellText(table, {0, 0}),
            "||Midtown|1 Main St, Suite 2 New York, NY US10001|212_555-0100|[Call]");
  EXPECT_EQ(cellText(table, {0, 1}), "||[Map]|[Directions]|[Call]");
  EXPECT_EQ(cellText(table, {1, 1}), "||[Map]|[Directions]");  // no telephone, no call

  tap("row.0.0.button.0");  // call: hyphens and underscores removed
  tap("row.1.1.button.1");  // directions
  EXPECT_EQ(opened(), (std::vector<std::string>{
                          "tel:2125550100",
                          maps() + "?saddr=&daddr=5+Rock+%26+Roll+Ave+%233%2C+O%27Hara%2FWest%3Fx"
                                   "%3D1+New+York%2C+NY+US10002"}));

  tap("row.0.1.button.0");  // map: at the store's coordinates, without asking the geocoder
  auto* map = topAs<MapViewController>();
  ASSERT_NE(map, nullptr);
  ASSERT_EQ(map->mapView().pins().size(), 1u);
  EXPECT_EQ(map->mapView().pins()[0].title, "Midtown");
  EXPECT_EQ(map->mapView().pins()[0].subtitle, "40.750600, -73.996700");
  EXPECT_TRUE(server().requestsTo("/maps/geo").empty());
}

TEST_F(StoreDetailsTest, DetailsShowHoursAndOpenTheMapSearch) {
  tap("row.0.0");
  auto* details = topAs<StoreDetailsViewController>();
  ASSERT_NE(details, nullptr);
  EXPECT_EQ(details->title(), "Kelda's Store");
  // The store's events are asked for at once, by its id.
  EXPECT_EQ(lastBody("/store_events"), "storeId=17");
  auto& table = details->tableView();
  EXPECT_EQ(cellText(table, {1, 0}), "Midtown Store Hours|");
  EXPECT_EQ(cellText(table, {1, 1}), "Mon-Fri|10am-9pm");
  EXPECT_EQ(cellText(table, {2, 0}), "Events|");
  tap("row.0.0.button.0");
  tap("row.0.0.button.2");  // the details dial with hyphens removed only
  EXPECT_EQ(opened(),
            (std::vector<std::string>{maps() + "?q=1+Main+St%2C+Suite+2+New+York%2C+NY+US10001",
                                      "tel:212_5550100"}));

  act(actor().back());
  tap("row.1.0");  // a store without hours
  EXPECT_EQ(table.numberOfRowsInSection(1), 1);
  EXPECT_EQ(cellText(table, {0, 0}).find("[Call]"), std::string::npos);
}

TEST_F(StoreDetailsTest, EventsAreThoseOfTheChosenStoreById) {
  tap("row.1.0");  // the second "Midtown"
  tap("VIEW EVENTS");
  auto* events = topAs<StoreEventsViewController>();
  ASSERT_NE(events, nullptr);
  EXPECT_EQ(events->title(), "Store Events");
  auto& table = events->tableView();
  EXPECT_EQ(cellText(table, {0, 0}), "Select a date for the events|");
  EXPECT_EQ(cellText(table, {1, 0}), "View Store Events:|Midtown");
  EXPECT_EQ(cellText(table, {1, 1}), "03/01/2026-03/05/2026|Spring Fashion Show");
  EXPECT_EQ(cellText(table, {1, 2}), "early spring-|Trunk Show");  // dates shown as they came

  tap("button.eventDate");
  act(actor().pick("picker", {"2026-12-08"}));
  server().answer("/store_events",
                  R"({"data":[{"storeEventName":"Holiday Lights",)"
                  R"("storeEventStartDate":"12/08/2026","storeEventFinishDate":"12/08/2026"}]})");
  act(actor().done());
  runUntilIdle();
  EXPECT_EQ(lastBody("/store_events"), "storeId=42&eventFrom=8 Dec, 2026&eventTo=8 Dec, 2026");
  EXPECT_EQ(events->dateButton().title, "Dec 8, 2026");
  EXPECT_EQ(cellText(table, {1, 1}), "12/08/2026-12/08/2026|Holiday Lights");

  // No events that day, or no answer at all: a message, and the list stays as it was.
  server().answer("/store_events", R"({"error":true,"errorMsg":"none"})");
  tap("button.eventDate");
  act(actor().done());
  runUntilIdle();
  EXPECT_EQ(alert(), Alert("", StoreEventsViewController::kNoEventsOnDate));
  dismissAlert();
  server().answer("/store_events", kelda::test::FakeAnswer{"oops", 502, "text/plain"});
  tap("button.eventDate");
  act(actor().done());
  runUntilIdle();
  EXPECT_EQ(alert().second, kNoAnswerMessage);
  dismissAlert();
  EXPECT_EQ(cellText(table, {1, 1}), "12/08/2026-12/08/2026|Holiday Lights");

  act(actor().tap("nav.right"));  // back to the store list
  EXPECT_NE(topAs<StoreListsViewController>(), nullptr);
  tap("row.0.0");
  server().answer("/store_events", R"({"error":true})");
  tap("VIEW EVENTS");
  EXPECT_EQ(alert(), Alert("", StoreDetailsViewController::kNoEvents));
  EXPECT_NE(topAs<StoreDetailsViewController>(), nullptr);
}

TEST_F(StoreDetailsTest, EventDetailsShowLineBreaksAndLeadBackToTheSearch) {
  tap("row.0.0");
  tap("VIEW EVENTS");
  tap("row.1.1");
  auto* details = topAs<EventDetailsViewController>();
  ASSERT_NE(details, nullptr);
  EXPECT_EQ(details->title(), "Event Details");
  auto& table = details->tableView();
  EXPECT_EQ(cellText(table, {1, 0}), "03/01/2026 - 03/05/2026|");
  EXPECT_EQ(cellText(table, {1, 1}), "Spring Fashion Show|");
  EXPECT_EQ(cellText(table, {1, 2}), "||Runway\nand music");
  tap("row.0.0.button.0");  // map
  ASSERT_NE(topAs<MapViewController>(), nullptr);
  act(actor().back());
  act(actor().tap("view kelda's stores"));
  EXPECT_NE(topAs<SearchStoreViewController>(), nullptr);
}

TEST_F(StoreDetailsTest, SavingsPassOfTheStoresPostalCode) {
  server().answer("/pass.png",
                  kelda::test::FakeAnswer{kelda::test::makePng(40, 20), 200, "image/png"});
  server().answer("/instore_savingspass",
                  R"({"success":1,"data":{"savingsPassTitle":"Northeast Spring Pass",)"
                  R"("validityPeriod":"03/01/2026 - 03/31/2026","validityFrom":"03/01/2026",)"
                  R"("validityTo":"03/31/2026","imageURL":")" +
                      server().url("/pass.png") + R"(","pdfURL":")" + server().url("/pass.pdf") +
                      R"("}})");
  tap("row.0.0");
  tap("INSTORE SAVINGS PASS");
  EXPECT_EQ(lastBody("/instore_savingspass"), "zipcode=10001");
  auto* pass = topAs<InStoreSavingPassViewController>();
  ASSERT_NE(pass, nullptr);
  EXPECT_EQ(pass->title(), "Stores");
  EXPECT_EQ(pass->savingsPassTitle(), "Northeast Spring Pass");
  EXPECT_EQ(cellText(pass->tableView(), {0, 0}), "instore savings pass|");
  EXPECT_EQ(cellText(pass->tableView(), {0, 1}), "Period of Validity:|03/01/2026 - 03/31/2026");
  EXPECT_TRUE(pass->passImage().hasImage());

  // The document is asked at the pass's address; when it cannot be loaded, the document screen
  // shows its error page in the web view instead.
  std::vector<std::string> asked;
  ui::Window::shared().setPageLoader([&asked](const std::string& url) {
    asked.push_back(url);
    return url.starts_with("data:") ? ui::PageLoad{true, ""}
                                    : ui::PageLoad{false, "The document <could> not be loaded."};
  });
  tap("VIEW PASS DETAILS");
  auto* document = topAs<support::PDFViewController>();
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->title(), "Instore Savings Pass");
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], server().url("/pass.pdf"));
  EXPECT_EQ(document->webView().url(),
            support::PDFViewController::errorPageURL("The document <could> not be loaded."));
  EXPECT_EQ(support::PDFViewController::errorPage("The document <could> not be loaded."),
            "<html><center><font size=+5 color='red'>An error occurred:<br>The document "
            "&lt;could&gt; not be loaded.</font></center></html>");

  // A pass whose picture cannot be loaded is shown without it.
  act(actor().back());
  act(actor().back());
  server().answer("/instore_savingspass",
                  R"({"success":1,"data":{"imageURL":")" + server().url("/missing.png") + R"("}})");
  tap("INSTORE SAVINGS PASS");
  pass = topAs<InStoreSavingPassViewController>();
  ASSERT_NE(pass, nullptr);
  EXPECT_FALSE(pass->passImage().hasImage());
  EXPECT_EQ(cellText(pass->tableView(), {0, 1}), "Period of Validity:| - ");
}

}  // namespace
}  // namespace kelda::stores

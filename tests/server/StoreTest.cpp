// Store search, find in store, savings passes, events and the geocoder.
#include "ServerFixture.hpp"
#include "StoreEndpoints.hpp"

namespace kelda::server::testing {
namespace {

class Stores : public ServerTest {};

TEST_F(Stores, NearestStoresByZipCityAndPositionWithTheKeysTheListReads) {
  const Answer byZip = post("/store_locator", "zipcode=10001");
  ASSERT_GT(byZip.json["data"].size(), 1u);
  const json::Value first = byZip.json["data"][0];
  EXPECT_EQ(first["addrPostalCode"].str(), "10001");
  EXPECT_EQ(first["distanceInMiles"].str(), "0.0");
  for (const char* k : {"storeId", "storeName", "addressLine1", "addressLine2", "addrCity",
                        "addrState", "addrCountryCode", "addrPhoneNumber"}) {
    EXPECT_TRUE(first[k].isString()) << k;
  }
  EXPECT_TRUE(first["storeHours"][0]["storedate"].isString());
  EXPECT_TRUE(first["storeLocation"]["storeLatitude"].isString());
  double last = 0;
  for (json::Value s : byZip.json["data"].items()) {
    EXPECT_GE(s["distanceInMiles"].doubleValue(), last);
    last = s["distanceInMiles"].doubleValue();
  }
  EXPECT_EQ(post("/store_locator", "city=san francisco&state=California")
                .json["data"][0]["addrCity"]
                .str(),
            "San Francisco");
  EXPECT_EQ(
      post("/store_locator", "latitude=41.88&longitude=-87.63").json["data"][0]["addrCity"].str(),
      "Chicago");
  // A city the state has no store in lists the state's stores.
  EXPECT_EQ(post("/store_locator", "city=Fresno&state=CA").json["data"][0]["addrState"].str(),
            "CA");
}

TEST_F(Stores, NoStoreFoundAnswersWithErrorAndMessage) {
  for (const char* body :
       {"zipcode=59001", "zipcode=1234", "zipcode=12a45", "city=Nome&state=Alaska",
        "city=X&state=Narnia", "latitude=0&longitude=0", "latitude=abc&longitude=1", ""}) {
    const Answer a = post("/store_locator", body);
    EXPECT_TRUE(a.json.contains("error")) << body;
    EXPECT_FALSE(a.json["errorMsg"].str().empty()) << body;
    EXPECT_FALSE(a.json.contains("data")) << body;
  }
}

TEST_F(Stores, FindInStoreGivesEachStoresAvailabilityOfTheUpc) {
  auto db = server().server().state().pool.acquire();
  auto& st = db->prepare(
      "SELECT u.id, u.upc_number FROM upcs u JOIN products p ON p.id = u.product_id WHERE "
      "u.in_store = 1 AND p.available = 1");
  ASSERT_TRUE(st.step());
  const std::string upc = st.text(1);
  const Answer a = post("/findinstore", "zipcode=10001&upcId=" + upc);
  ASSERT_GT(a.json["data"].size(), 0u);
  for (json::Value s : a.json["data"].items()) {
    const std::string v = s["storeAvailability"].str();
    EXPECT_TRUE(v == "AVAILABLE" || v == "LIMITED" || v == "NOTAVAILABLE") << v;
    EXPECT_TRUE(s["storeLatitude"].isString());
  }
  EXPECT_GT(
      post("/findinstore", "city=Boston&state=Massachusetts&upcId=" + upc).json["data"].size(), 0u);
  EXPECT_TRUE(post("/findinstore", "zipcode=10001&upcId=000").json.contains("errorMsg"));
}

TEST_F(Stores, SavingsPassByZipOrCityWithPictureAndDocument) {
  const Answer a = post("/instore_savingspass", "zipcode=94108");
  ASSERT_EQ(a.json["success"].intValue(), 1);
  const json::Value d = a.json["data"];
  for (const char* k : {"savingsPassTitle", "validityPeriod", "validityFrom", "validityTo",
                        "imageURL", "pdfURL", "regionText"}) {
    EXPECT_FALSE(d[k].str().empty()) << k;
  }
  EXPECT_EQ(d["imageURL"].str(), server().base() + "/images/pass/West.png");
  const Answer png = server().get("/images/pass/West.png");
  EXPECT_EQ(png.contentType, "image/png");
  const Answer pdf = server().get("/pdf/pass/West.pdf");
  EXPECT_EQ(pdf.contentType, "application/pdf");
  EXPECT_EQ(pdf.body.rfind("%PDF-", 0), 0u);
  EXPECT_EQ(
      post("/instore_savingspass", "city=Atlanta&state=Georgia").json["data"]["regionText"].str(),
      "Valid at every Kelda's store in the South");
  EXPECT_EQ(post("/instore_savingspass", "zipcode=abc").json["success"].intValue(), 0);
  EXPECT_EQ(post("/instore_savingspass", "city=&state=").json["success"].intValue(), 0);
}

TEST_F(Stores, EventsAllUpcomingOrOfOneDate) {
  const Answer all = post("/store_events", "storeId=1001");
  ASSERT_GT(all.json["data"].size(), 0u);
  const json::Value e = all.json["data"][0];
  for (const char* k :
       {"storeEventName", "storeEventDesc", "storeEventStartDate", "storeEventFinishDate"}) {
    EXPECT_FALSE(e[k].str().empty()) << k;
  }
  const std::string day = e["storeEventStartDate"].str();  // MM/DD/YYYY
  const Answer onDay = post("/store_events", "storeId=1001&eventFrom=" + day + "&eventTo=" + day);
  bool found = false;
  for (json::Value event : onDay.json["data"].items())
    found = found || event["storeEventName"] == e["storeEventName"];
  EXPECT_TRUE(found);
  EXPECT_TRUE(post("/store_events", "storeId=1001&eventFrom=Jan 1, 1990&eventTo=Jan 1, 1990")
                  .json.contains("error"));
  EXPECT_TRUE(
      post("/store_events", "storeId=1001&eventFrom=soon&eventTo=later").json.contains("error"));
  EXPECT_TRUE(post("/store_events", "storeId=424242").json.contains("error"));
}

TEST_F(Stores, GeocoderPlacesKnownZipsAndCitiesAndRefusesTheRest) {
  const Answer hit = server().get(
      "/maps/geo?q=Unknown%20Road%20Seattle%20WA%2098101%20US&output=xml&sensor=false&key=k");
  EXPECT_NE(hit.body.find("<code>200</code>"), std::string::npos);
  EXPECT_NE(hit.body.find("<coordinates>-122.334400,47.610100,0</coordinates>"), std::string::npos);
  EXPECT_NE(hit.body.find("xmlns=\"http://earth.google.com/kml/2.0\""), std::string::npos);
  const Answer miss = server().get("/maps/geo?q=%3Cscript%3E%20Atlantis&output=xml");
  EXPECT_NE(miss.body.find("<code>602</code>"), std::string::npos);
  EXPECT_EQ(miss.body.find("<script>"), std::string::npos);
}

}  // namespace
}  // namespace kelda::server::testing

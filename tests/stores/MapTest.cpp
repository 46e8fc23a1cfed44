// The map screen: a pin at the opener's coordinates, or at the geocoder's answer for the
// store's address (full address first, then without the street), and no pin, said so, when
// neither gives a place.
#include <gtest/gtest.h>

#include <httplib.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "stores/MapViewController.hpp"
#include "stores/StoresFixture.hpp"
#include "ui/Label.hpp"

namespace kelda::stores {
namespace {

std::string kml(const std::string& code, const std::string& coordinates = "-73.9967,40.7506,0") {
  return R"(<?xml version="1.0" encoding="UTF-8" ?><kml xmlns="http://earth.google.com/kml/2.0">)"
         R"(<Response><Status><code>)" +
         code + "</code></Status><Placemark><Point><coordinates>" + coordinates +
         "</coordinates></Point></Placemark></Response></kml>";
}

// A geocoder whose answer depends on the query: 602 while the address names "Nowhere".
class StreetBlindGeocoder {
 public:
  StreetBlindGeocoder() {
    server_.Get("/maps/geo", [this](const httplib::Request& request, httplib::Response& response) {
      {
        std::lock_guard lock(mutex_);
        queries_.push_back(request.get_param_value("q"));
      }
      const bool street = request.get_param_value("q").find("Nowhere") != std::string::npos;
      response.set_content(kml(street ? "602" : "200"), "application/vnd.google-earth.kml+xml");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();
  }
  ~StreetBlindGeocoder() {
    server_.stop();
    thread_.join();
  }
  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
  std::vector<std::string> queries() const {
    std::lock_guard lock(mutex_);
    return queries_;
  }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::vector<std::string> queries_;
};

json::Value store(const std::string& street) {
  return json::Value::object({{"storeName", "Midtown"},
                              {"addressLine1", street},
                              {"addrCity", "New York"},
                              {"addrState", "NY"},
                              {"addrPostalCode", "10002"},
                              {"addrCountryCode", "US"},
                              {"addrPhoneNumber", "212-555-0100"}});
}

class MapTest : public fixture::StoresFixture {
 protected:
  MapViewController& open(const json::Value& record, const std::string& coordinate) {
    screen_ = MapViewController::forStore(record, coordinate);
    navigation_->pushViewController(screen_, false);
    runUntilIdle();
    return *screen_;
  }
  std::vector<std::string> labels() {
    std::vector<std::string> texts;
    for (const auto& view : screen_->view()->subviews()) {
      if (auto* label = dynamic_cast<ui::Label*>(view.get()); label && !label->hidden) {
        texts.push_back(label->text);
      }
    }
    return texts;
  }
  std::shared_ptr<MapViewController> screen_;
};

TEST_F(MapTest, CoordinatesOfTheOpenerPlaceThePinWithoutAnyLookup) {
  auto& map = open(store("1 Main St"), "40.750600,-73.996700");
  EXPECT_EQ(map.title(), "Store Information");
  EXPECT_EQ(labels(), (std::vector<std::string>{"Midtown", "1 Main St", "New York, NY 10002 US",
                                                "212-555-0100"}));
  ASSERT_EQ(map.mapView().pins().size(), 1u);
  EXPECT_EQ(map.mapView().pins()[0].title, "Midtown");
  EXPECT_EQ(map.mapView().centre, (ui::Coordinate{40.7506, -73.9967}));
  EXPECT_EQ(map.mapView().span, (ui::CoordinateSpan{0.055954, 0.059456}));
  EXPECT_EQ(server().requestCount(), 0u);
}

TEST_F(MapTest, TheAddressIsGeocodedWithEveryValueEscaped) {
  server().answer("/maps/geo",
                  kelda::test::FakeAnswer{kml("200", "-74.0,40.7,0"), 200, "text/xml"});
  auto& map = open(store("5 Rock & Roll #3+4%"), "");
  const auto request = server().lastRequest("/maps/geo");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->method, "GET");
  EXPECT_EQ(request->query,
            "q=5%20Rock%20%26%20Roll%20%233%2B4%25%20New%20York%20NY%2010002%20US&output=xml&"
            "sensor=false&key=" +
                platform::options()->mapsKey);
  ASSERT_EQ(map.mapView().pins().size(), 1u);
  EXPECT_EQ(map.mapView().pins()[0].subtitle, "40.700000, -74.000000");
  EXPECT_TRUE(map.notFoundLabel().hidden);
}

TEST_F(MapTest, AnAddressWhoseStreetIsUnknownIsPlacedByItsCityAndZip) {
  StreetBlindGeocoder geocoder;
  updateOptions([&](platform::Options& options) { options.mapsHost = geocoder.address(); });
  auto& map = open(store("1 Nowhere Lane"), "(null),(null)");
  EXPECT_EQ(geocoder.queries(), (std::vector<std::string>{"1 Nowhere Lane New York NY 10002 US",
                                                          " New York NY 10002 US"}));
  EXPECT_EQ(map.mapView().pins().size(), 1u);
}

TEST_F(MapTest, NoPlaceFoundShowsNoPinAndSaysSo) {
  const std::vector<kelda::test::FakeAnswer> answers{
      {kml("602"), 200, "text/xml"},
      {kml("200", "-74.0,95.0,0"), 200, "text/xml"},
      {kml("200", "west,north,0"), 200, "text/xml"},
      {"{\"not\":\"kml\"}", 200, "application/json"},
      {kml("200"), 500, "text/xml"},
      // Over the geocoder's 1 MB limit (a 50 MB answer takes the same path, only slower).
      {"<kml>" + std::string(2u * 1024u * 1024u, ' ') + "</kml>", 200, "text/xml"},
  };
  for (const auto& answer : answers) {
    server().answer("/maps/geo", answer);
    server().clearRequests();
    auto& map = open(store("1 Main St"), "");
    EXPECT_EQ(server().requestsTo("/maps/geo").size(), 2u) << answer.body.substr(0, 80);
    EXPECT_TRUE(map.mapView().pins().empty()) << answer.body.substr(0, 80);
    EXPECT_EQ(map.mapView().centre, ui::Coordinate{}) << answer.body.substr(0, 80);
    EXPECT_FALSE(map.notFoundLabel().hidden) << answer.body.substr(0, 80);
    EXPECT_EQ(map.notFoundLabel().text, "We couldn't find this store on the map.");
    act(actor().back());
  }
}

}  // namespace
}  // namespace kelda::stores

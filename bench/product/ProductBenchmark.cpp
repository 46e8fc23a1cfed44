// Opening a product page from a tapped result row until its main page is shown (the product
// request, decoding and storing the answer, the page, its rows and its picture), against an
// in-process middleware on loopback that answers at once with a canned 27 KB product answer of
// the middleware's shape. The yardstick of the same run is decoding that answer alone.
// Also the resident memory after 100 different products opened one after the other (each with
// its own picture), against the memory after the first.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/ResultViewController.hpp"
#include "gateway/ScreenLinks.hpp"
#include "gateway/TarnObjects.hpp"
#include "json/SBJson.hpp"
#include "platform/Context.hpp"
#include "platform/Log.hpp"
#include "platform/RunLoop.hpp"
#include "product/PDPViewsController.hpp"
#include "product/ProductPageOpener.hpp"
#include "support/ClientFixture.hpp"
#include "support/FakeMiddleware.hpp"
#include "support/ImageCache.hpp"
#include "support/TempDirectory.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TabBarController.hpp"
#include "ui/Window.hpp"

namespace {

namespace json = kelda::json;
namespace ui = kelda::ui;
using kelda::gateway::TarnObjects;

constexpr int kRows = 20;

// A product answer shaped like the middleware's: eight sizes by eight colours (one UPC each, with
// its order attributes), ten reviews, pictures and texts; about 27 KB.
std::string productAnswer(int id, const std::string& imageBase) {
  const std::string prodId = std::to_string(100000 + id);
  const char* sizes[] = {"XXS", "XS", "S", "M", "L", "XL", "XXL", "3XL"};
  const char* colours[] = {"Black",        "Navy",  "Ivory", "Red",
                           "Heather Grey", "Olive", "Pink",  "Teal"};
  std::vector<json::Member> mapper;
  std::vector<json::Member> facts;
  int upc = 0;
  for (const char* size : sizes) {
    for (const char* colour : colours) {
      const std::string upcId = std::to_string(7000000 + id * 100 + upc++);
      mapper.emplace_back(std::string(colour) + "-" + size + "--" + prodId, upcId);
      facts.emplace_back(
          upcId, json::Value::object(
                     {{"Available", upc % 5 != 0 ? 1 : 0},
                      {"InStoreEligibilityFlag", upc % 3 != 0 ? 1 : 0},
                      {"itemBOAttr", json::Value::object({{"setUpcID", upcId},
                                                          {"setUpcNumber", "0004" + upcId + "12"},
                                                          {"setProductID", prodId},
                                                          {"setProductTaxwareCode", "20010"},
                                                          {"setCustomPrice", "39.99"},
                                                          {"setSurchargeFee", "0.00"},
                                                          {"setBaseFeeExempt", "N"},
                                                          {"setOrderMethod", "SHIP"},
                                                          {"setAddByApp", "Y"},
                                                          {"setFobFeeFlag", "N"}})}}));
    }
  }
  std::vector<json::Value> reviews;
  for (int i = 0; i < 10; ++i) {
    reviews.push_back(json::Value::object(
        {{"reviewTitle", "Fits well and washes nicely, number " + std::to_string(i)},
         {"reviewDesc",
          "I bought this for everyday wear and it has held its shape after many washes. The "
          "colour is true to the picture and the fabric is soft without being thin. Runs a "
          "little long, which I like. Would buy again in another colour."},
         {"reviewer", "Pat"},
         {"reviewLocation", "Springfield, IL"},
         {"reviewDate", "03/14/2026"},
         {"reviewRating", "4.5"}}));
  }
  std::vector<json::Value> shipping{"Usually ships within 2 business days.",
                                    "Free returns by mail or in store.",
                                    "Standard shipping is free on orders of $75 or more."};
  std::vector<json::Value> thumbs, fulls;
  for (int i = 0; i < 4; ++i) {
    thumbs.emplace_back(imageBase + prodId + "-" + std::to_string(i) + "?size=small");
    fulls.emplace_back(imageBase + prodId + "-" + std::to_string(i) + "?size=large");
  }
  json::Value product = json::Value::object(
      {{"prodId", prodId},
       {"prodName", "Sleeveless Jersey Dress " + prodId},
       {"prodDesc",
        "A sleeveless jersey dress with a scoop neck and a gently flared skirt, in a soft "
        "cotton blend that moves with you."},
       {"newPrice", "39.99"},
       {"oldPrice", "59.00"},
       {"priceTypeFlag", "ORG-NOW"},
       {"rating", "4.5"},
       {"reviewCount", "37"},
       {"reviewPageNumber", "2"},
       {"reviewPageLimit", "10"},
       {"total_pages", "4"},
       {"available", "1"},
       {"imageSource", imageBase + prodId + ".png"},
       {"imageSourceDetail", imageBase + prodId + ".png?size=large"},
       {"maxQuantity", "10"},
       {"shippingReturnText", json::Value::array(shipping)},
       {"attributes", json::Value::array({"95% cotton, 5% spandex", "Machine wash cold", "Imported",
                                          "Scoop neck", "Knee length"})},
       {"additionalImagesThumbnail", json::Value::array(thumbs)},
       {"additionalImages", json::Value::array(fulls)},
       {"swatches", json::Value::array(thumbs)},
       {"additionalImagesSwatch", json::Value::array(fulls)}});
  std::vector<json::Value> sizeValues(std::begin(sizes), std::end(sizes));
  std::vector<json::Value> colourValues(std::begin(colours), std::end(colours));
  json::Value answer = json::Value::object(
      {{"PDPFLAG", "SIMPLE"},
       {"categoryFlag", "SEARCH"},
       {"categoryId", ""},
       {"data", json::Value::array({product})},
       {"reviews", json::Value::array(reviews)},
       {"prod_attributes",
        json::Value::array(
            {json::Value::object(
                 {{"prodAttrName", "SIZE"}, {"prodAttrValue", json::Value::array(sizeValues)}}),
             json::Value::object({{"prodAttrName", "COLOR"},
                                  {"prodAttrValue", json::Value::array(colourValues)}})})},
       {"prodAttrKey", json::Value::array({"SIZE", "COLOR"})},
       {"UPCMapper", json::Value::object(std::move(mapper))},
       {"UPCAvailabilityChecker", json::Value::object(std::move(facts))},
       {"CLICK_TO_CALL", "Y"},
       {"click_to_call_text", "Questions about sizing?"},
       {"click_to_call_number", "1-800-555-0199"},
       {"shippingMethodCodeValues", "G,O,2"},
       {"excludedStateCodeValues", ""}});
  return json::JSONRepresentation(answer).value_or("");
}

std::string picture() {
  const char* resources = std::getenv("KELDA_RESOURCES");
  std::ifstream file(std::string(resources ? resources : "resources") + "/home.png",
                     std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

long residentKiB() {
  long pages = 0;
  long resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE) / 1024;
}

// A client whose home tab shows a search result list of kRows products, opening product pages
// through the application's link.
struct Client {
  kelda::test::FakeMiddleware server;
  kelda::test::TempDirectory home;
  kelda::platform::Context context{kelda::test::testOptions(server, home.path())};
  kelda::platform::ScopedContext scope{context};
  std::shared_ptr<ui::NavigationController> stack;
  std::shared_ptr<kelda::catalogue::ResultViewController> list;
  std::string png = picture();

  Client() {
    auto& loop = context.get<kelda::platform::RunLoop>();
    loop.setClock(std::make_shared<kelda::platform::ManualClock>());
    kelda::gateway::ScreenLinks::shared().openProductPage =
        [](ui::NavigationController& navigation, const kelda::gateway::ProductPageRequest& page) {
          kelda::product::openProductPage(navigation, page);
        };
    auto& state = TarnObjects::sharedInstance();
    state.setSearchPageFlag(2);
    state.setPageFlag(2);
    std::string data;
    for (int i = 0; i < kRows; ++i) {
      data += std::string(i ? "," : "") + R"({"prodId":")" + std::to_string(100000 + i) +
              R"(","available":1})";
    }
    state.setSearchResultsDictionary(json::JSONValue(
        R"({"data":[)" + data + R"(],"extra":[{"totalCount":"20","pageLimit":"20"}]})"));
    list = std::make_shared<kelda::catalogue::ResultViewController>();
    stack = std::make_shared<ui::NavigationController>(list);
    auto tabs = std::make_shared<ui::TabBarController>();
    tabs->setViewControllers({stack});
    ui::Window::shared().setRootViewController(tabs);
    ui::Window::shared().makeKeyAndVisible();
    server.setDefaultAnswer(kelda::test::FakeAnswer{png, 200, "image/png"});
    loop.runUntilIdle();
  }
  // Taps row `row` with `answer` waiting at the server; returns once the page is shown.
  void open(int row, const std::string& answer) {
    server.answer("/product", answer);
    list->tableView().tapRowAtIndexPath({row % kRows, 0});
    kelda::platform::RunLoop::main().runUntilIdle();
    if (dynamic_cast<kelda::product::PDPViewsController*>(
            ui::Window::shared().topViewController()) == nullptr) {
      std::abort();
    }
  }
  void back() {
    stack->popViewControllerAnimated(false);
    kelda::platform::RunLoop::main().runUntilIdle();
    server.clearRequests();
  }
};

void BM_DecodeProductAnswer(benchmark::State& state) {
  const std::string answer = productAnswer(1, "http://127.0.0.1/images/product/");
  for (auto _ : state) benchmark::DoNotOptimize(json::JSONValue(answer));
  state.counters["answer_KB"] = static_cast<double>(answer.size()) / 1024.0;
  state.SetLabel("yardstick");
}
BENCHMARK(BM_DecodeProductAnswer)->Unit(benchmark::kMicrosecond);

void BM_OpenProductFromRow(benchmark::State& state) {
  kelda::log::configure("error", "");
  Client client;
  const std::string answer = productAnswer(1, client.server.url("/images/product/"));
  client.open(1, answer);  // the picture is loaded once, as on a second visit
  client.back();
  for (auto _ : state) {
    client.open(1, answer);
    state.PauseTiming();
    client.back();
    state.ResumeTiming();
  }
  state.counters["answer_KB"] = static_cast<double>(answer.size()) / 1024.0;
}
BENCHMARK(BM_OpenProductFromRow)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void BM_HundredProductsInARow(benchmark::State& state) {
  kelda::log::configure("error", "");
  for (auto _ : state) {
    Client client;
    client.open(0, productAnswer(0, client.server.url("/images/product/")));
    client.back();
    const long first = residentKiB();
    for (int i = 1; i < 100; ++i) {
      client.open(i, productAnswer(i, client.server.url("/images/product/")));
      client.back();
    }
    const long after = residentKiB();
    state.counters["rss_MiB"] = static_cast<double>(after) / 1024.0;
    state.counters["rss_growth_MiB"] = static_cast<double>(after - first) / 1024.0;
    state.counters["image_cache_KiB"] =
        static_cast<double>(kelda::support::ImageCache::shared().totalBytes()) / 1024.0;
  }
}
BENCHMARK(BM_HundredProductsInARow)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

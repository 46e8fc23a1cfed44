// The bag screen with 1, 10 and 100 lines: the time from its appearance to the totals shown
// (reading the bag, both serialisations, the totals request to a loopback server that answers at
// once with a fixed answer, and the table laid out), and the size of the request body. The
// yardstick, measured in the same run, is the JSON codec writing the same "itemBOAttr" array;
// the server's own share is the loopback round trip of an empty body (BM_LoopbackRoundTrip).
// Each cost should grow no faster than the number of lines.
#include <benchmark/benchmark.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "bag/BagScreenFixture.hpp"
#include "bag/CoreDataHandler.hpp"
#include "bag/ViewBagController.hpp"
#include "bag/ViewBagData.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "json/SBJson.hpp"
#include "platform/Context.hpp"
#include "support/ClientFixture.hpp"
#include "support/FakeMiddleware.hpp"
#include "support/TempDirectory.hpp"
#include "ui/Actor.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TabBarController.hpp"
#include "ui/Window.hpp"

namespace {

using namespace kelda;

// A launch with the bag tab and a bag of `lines` lines, against a fake middleware.
class BagWorld {
 public:
  explicit BagWorld(int lines) {
    scope_.emplace(*context_);
    server_.answer("/keldas_viewbag", test::totalsAnswer());
    auto& state = gateway::TarnObjects::sharedInstance();
    for (int i = 0; i < lines; ++i) {
      const std::string upc = std::to_string(100000 + i);
      json::Value itemBO = json::Value::object({{"setUpcID", upc},
                                                {"setUpcNumber", "U" + upc},
                                                {"setProductID", "P"},
                                                {"setProductTaxwareCode", "TX"},
                                                {"setCustomPrice", "0.00"},
                                                {"setAddByApp", "Y"},
                                                {"setBaseFeeExempt", "N"},
                                                {"setOrderMethod", "SHIP"},
                                                {"setSurchargeFee", "0"},
                                                {"setFobFeeFlag", "N"}});
      state.setProductDescriptionList(json::Value::object(
          {{"data", json::Value::array({json::Value::object(
                        {{"prodId", "P"}, {"prodName", "Dress " + upc}, {"maxQuantity", "5"}})})},
           {"UPCAvailabilityChecker",
            json::Value::object({{upc, json::Value::object({{"itemBOAttr", itemBO}})}})},
           {"excludedStateCodeValues", "AK"},
           {"shippingMethodCodeValues", "G,O,2"}}));
      bag::CoreDataHandler::sharedCoreDataHandler().addNewRowInEntityWithObject(
          upc, "1", "19.99", std::string("Red"), std::string("M"));
    }
    bagScreen_ = std::make_shared<bag::ViewBagController>();
    auto bagStack = std::make_shared<ui::NavigationController>(bagScreen_);
    tabs_ = std::make_shared<ui::TabBarController>();
    tabs_->setViewControllers(
        {std::make_shared<ui::ViewController>(), std::make_shared<ui::ViewController>(), bagStack,
         std::make_shared<ui::ViewController>(), std::make_shared<ui::ViewController>()});
    ui::Window::shared().setRootViewController(tabs_);
    ui::Window::shared().makeKeyAndVisible();
  }
  ~BagWorld() {
    loop().runUntilIdle();
    // The screens go while their context is still current.
    ui::Window::shared().setRootViewController(nullptr);
    tabs_.reset();
    bagScreen_.reset();
    context_.reset();
    scope_.reset();
  }
  platform::RunLoop& loop() { return context_->get<platform::RunLoop>(); }
  test::FakeMiddleware& server() { return server_; }
  // Shows the bag tab and runs until its totals are on screen; then leaves it again.
  bool openBag() {
    tabs_->setSelectedIndex(2);
    loop().runUntilIdle();
    const bool shown =
        !bag::ViewBagData::sharedViewBagDataObject().merchandiseTotalDictionary().isAbsent();
    tabs_->setSelectedIndex(0);
    return shown;
  }

 private:
  test::FakeMiddleware server_;
  test::TempDirectory home_;
  std::unique_ptr<platform::Context> context_ =
      std::make_unique<platform::Context>(test::testOptions(server_, home_.path()));
  std::optional<platform::ScopedContext> scope_;
  std::shared_ptr<bag::ViewBagController> bagScreen_;
  std::shared_ptr<ui::TabBarController> tabs_;
};

void BM_OpenBagToTotals(benchmark::State& state) {
  BagWorld world(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    if (!world.openBag()) state.SkipWithError("no totals shown");
  }
  const auto body = world.server().lastRequest("/keldas_viewbag");
  state.counters["body_bytes"] = body ? static_cast<double>(body->body.size()) : 0;
  state.SetComplexityN(state.range(0));
}

// Yardstick: the JSON codec writing the bag's "itemBOAttr" array, the largest part of the body.
void BM_YardstickJsonBody(benchmark::State& state) {
  BagWorld world(static_cast<int>(state.range(0)));
  bag::CoreDataHandler::sharedCoreDataHandler().setItemBOAttrRequestParameterForCheckout();
  const json::Value items = bag::ViewBagData::sharedViewBagDataObject().itemBOAttributeArray();
  for (auto _ : state) benchmark::DoNotOptimize(json::JSONRepresentation(items));
  state.SetComplexityN(state.range(0));
}

// The share of the loopback server: one request with an empty body and the same answer.
void BM_LoopbackRoundTrip(benchmark::State& state) {
  BagWorld world(0);
  const std::string url = world.server().url("/keldas_viewbag");
  for (auto _ : state) {
    benchmark::DoNotOptimize(gateway::TarnServerAPIs::sharedInstance().downloadPostData(url, ""));
  }
}

BENCHMARK(BM_OpenBagToTotals)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();
BENCHMARK(BM_YardstickJsonBody)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();
BENCHMARK(BM_LoopbackRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

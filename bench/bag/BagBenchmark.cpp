// Cost of the bag store's operations on bags of 10, 100 and 1,000 lines: adding a line,
// fetching, totalling and both serialisations. Each should grow no faster than the number of
// lines (the reported complexity is against N).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

#include "bag/CoreDataHandler.hpp"
#include "bag/ViewBagData.hpp"
#include "bagstore/BagTestSupport.hpp"
#include "platform/Context.hpp"

namespace {

using kelda::bag::CoreDataHandler;

// A fresh documents directory and context holding a bag of `lines` lines.
std::filesystem::path freshDirectory() {
  char pattern[] = "/tmp/kelda-bench-bag-XXXXXX";
  return mkdtemp(pattern);
}

kelda::platform::Options optionsWithHome(const std::filesystem::path& home) {
  kelda::platform::Options options = kelda::platform::Options::fromEnvironment();
  options.home = home;
  return options;
}

class Bag {
 public:
  explicit Bag(int lines) {
    for (int i = 0; i < lines; ++i) kelda::test::addToBag("upc-" + std::to_string(100000 + i), "2");
    store().fetchExistingBagItems();
  }
  ~Bag() {
    scope_.reset();
    context_.reset();
    std::filesystem::remove_all(directory_);
  }
  CoreDataHandler& store() { return CoreDataHandler::sharedCoreDataHandler(); }

 private:
  std::filesystem::path directory_ = freshDirectory();
  std::unique_ptr<kelda::platform::Context> context_ =
      std::make_unique<kelda::platform::Context>(optionsWithHome(directory_));
  std::unique_ptr<kelda::platform::ScopedContext> scope_ =
      std::make_unique<kelda::platform::ScopedContext>(*context_);
};

void BM_Add(benchmark::State& state) {
  Bag bag(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(kelda::test::addToBag("upc-new", "1"));
    state.PauseTiming();  // take the line out again so the bag keeps its size
    bag.store().fetchExistingBagItems();
    bag.store().deleteBagItemAtIndex(0);  // "upc-new" sorts first
    state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
}

void BM_Fetch(benchmark::State& state) {
  Bag bag(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(bag.store().fetchExistingBagItems());
  state.SetComplexityN(state.range(0));
}

void BM_TotalQuantityInBag(benchmark::State& state) {
  Bag bag(static_cast<int>(state.range(0)));
  std::mutex lock;
  for (auto _ : state) benchmark::DoNotOptimize(bag.store().totalQuantityInBag(lock));
  state.SetComplexityN(state.range(0));
}

void BM_ItemBOAttr(benchmark::State& state) {
  Bag bag(static_cast<int>(state.range(0)));
  auto& viewBag = kelda::bag::ViewBagData::sharedViewBagDataObject();
  for (auto _ : state) {
    bag.store().setItemBOAttrRequestParameterForCheckout();
    benchmark::DoNotOptimize(viewBag.itemBOAttrJSON());
  }
  state.SetComplexityN(state.range(0));
}

void BM_ShopAction5TagAttr(benchmark::State& state) {
  Bag bag(static_cast<int>(state.range(0)));
  auto& viewBag = kelda::bag::ViewBagData::sharedViewBagDataObject();
  for (auto _ : state) {
    bag.store().setItemBOAttrRequestParameterForCheckout1();
    benchmark::DoNotOptimize(viewBag.shopAction5TagAttrJSON());
  }
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_Add)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_Fetch)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_TotalQuantityInBag)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();
BENCHMARK(BM_ItemBOAttr)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_ShopAction5TagAttr)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();

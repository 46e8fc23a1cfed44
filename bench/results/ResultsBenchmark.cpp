// Loading page k of a text search costs the same for k = 1 and k = 200 (pages of 20): the
// request, the decoding and the merge of the page into the products already loaded, against a
// loopback server. Also the resident memory once 4,000 products are loaded.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "catalogue/CatalogueRequests.hpp"
#include "catalogue/ResultAnswer.hpp"
#include "gateway/TarnObjects.hpp"
#include "json/SBJson.hpp"
#include "platform/Context.hpp"
#include "platform/RunLoop.hpp"
#include "support/ClientFixture.hpp"
#include "support/FakeMiddleware.hpp"
#include "support/TempDirectory.hpp"

namespace {

using kelda::catalogue::CatalogueRequests;
using kelda::gateway::TarnObjects;
namespace json = kelda::json;

constexpr int kPageSize = 20;

// One page of `kPageSize` products shaped like the middleware's, announcing page `page + 1`.
std::string pageJson(int page) {
  std::string data;
  for (int i = 0; i < kPageSize; ++i) {
    const std::string id = std::to_string(page * 1000 + i);
    if (!data.empty()) data += ",";
    data += R"({"prodId":")" + id +
            R"(","prodDesc":"Sleeveless jersey dress with a printed )"
            R"(pattern, number )" +
            id +
            R"(","oldPrice":"59.00","newPrice":"39.99",)"
            R"("priceTypeFlag":"ORG-NOW","overallRating":"4.5","moreColor":"1",)"
            R"("findInStoreFlag":"1","available":"1",)"
            R"("imageSource":"http://127.0.0.1/images/products/)" +
            id + R"(_fpx.tif?wid=90"})";
  }
  return R"({"data":[)" + data +
         R"(],"extra":[{"totalCount":"4000","pageLimit":"20",)"
         R"("pageNumber":")" +
         std::to_string(page + 1) + R"("}],"refinementParams":["BRAND"]})";
}

// A client with its own context, talking to a loopback server that answers every search page.
struct Client {
  kelda::test::FakeMiddleware server;
  kelda::test::TempDirectory home;
  kelda::platform::Context context{kelda::test::testOptions(server, home.path())};
  kelda::platform::ScopedContext scope{context};

  Client() {
    context.get<kelda::platform::RunLoop>();
    TarnObjects::sharedInstance().setPageFlag(2);
  }
  // Loads pages 1 .. `pages` through the gateway, as load-more does.
  void loadPages(int pages) {
    for (int page = 1; page <= pages; ++page) {
      server.answer("/results_search", pageJson(page));
      CatalogueRequests::updateResultsPage(std::to_string(page), "dress");
    }
    server.clearRequests();
  }
};

long residentKiB() {
  long pages = 0;
  long resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE) / 1024;
}

// Page k with k - 1 pages already loaded.
void BM_LoadSearchPage(benchmark::State& state) {
  const int k = static_cast<int>(state.range(0));
  Client client;
  client.loadPages(k - 1);
  const json::Value loaded = TarnObjects::sharedInstance().searchResultsDictionary();
  client.server.answer("/results_search", pageJson(k));
  const std::string pageNumber = std::to_string(k);
  for (auto _ : state) {
    TarnObjects::sharedInstance().setSearchResultsDictionary(loaded);
    CatalogueRequests::updateResultsPage(pageNumber, "dress");
  }
  state.counters["products"] = static_cast<double>(
      kelda::catalogue::productCount(TarnObjects::sharedInstance().searchResultsDictionary()));
}
BENCHMARK(BM_LoadSearchPage)->Arg(1)->Arg(200)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// The merge alone (no request): the part of a page load that grows with the list.
void BM_MergePage(benchmark::State& state) {
  const int k = static_cast<int>(state.range(0));
  json::Value loaded;
  for (int page = 1; page < k; ++page) {
    loaded = kelda::catalogue::mergeResultsPage(loaded, json::JSONValue(pageJson(page)));
  }
  const json::Value next = json::JSONValue(pageJson(k));
  for (auto _ : state) {
    benchmark::DoNotOptimize(kelda::catalogue::mergeResultsPage(loaded, next));
  }
}
BENCHMARK(BM_MergePage)->Arg(1)->Arg(200)->Unit(benchmark::kMicrosecond);

// 200 pages of 20 loaded one after the other; resident memory before and after.
void BM_LoadFullList(benchmark::State& state) {
  for (auto _ : state) {
    Client client;
    const long before = residentKiB();
    client.loadPages(200);
    const long after = residentKiB();
    state.counters["products"] = static_cast<double>(
        kelda::catalogue::productCount(TarnObjects::sharedInstance().searchResultsDictionary()));
    state.counters["rss_MiB"] = static_cast<double>(after) / 1024.0;
    state.counters["rss_growth_MiB"] = static_cast<double>(after - before) / 1024.0;
  }
}
BENCHMARK(BM_LoadFullList)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

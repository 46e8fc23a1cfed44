// 200 images from a local server through the image loader (its shared queue of two loads at a
// time) against a plain libcurl loop over two kept connections. The loader should reach at
// least 0.9 of the plain loop's rate (compare the items_per_second of the two).
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <httplib.h>
#include <stdlib.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "images/TestPng.hpp"
#include "platform/Context.hpp"
#include "support/ImageCache.hpp"
#include "support/ImageLoader.hpp"
#include "support/ImageLoadingQueue.hpp"

namespace {

constexpr int kImages = 200;

// An in-process server with kImages noisy 120x120 PNGs at /img/<i>.png.
class ImageServer {
 public:
  ImageServer() {
    for (int i = 0; i < kImages; ++i) {
      images_.push_back(kelda::test::makePng(120, 120, 0, 0, 0, static_cast<std::uint32_t>(i + 1)));
    }
    server_.Get(R"(/img/(\d+)\.png)",
                [this](const httplib::Request& request, httplib::Response& response) {
                  int index = std::stoi(request.matches[1]);
                  response.set_content(images_.at(static_cast<std::size_t>(index) % images_.size()),
                                       "image/png");
                });
    server_.set_keep_alive_max_count(100000);
    server_.set_tcp_nodelay(true);
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();  // listening before first use
  }
  ~ImageServer() {
    server_.stop();
    thread_.join();
  }
  std::string url(int i) const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/img/" + std::to_string(i) + ".png";
  }

 private:
  std::vector<std::string> images_;
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

ImageServer& server() {
  static ImageServer instance;
  return instance;
}

void BM_ImageLoader(benchmark::State& state) {
  char pattern[] = "/tmp/kelda-bench-images-XXXXXX";
  std::filesystem::path home = mkdtemp(pattern);
  kelda::platform::Options options = kelda::platform::Options::fromEnvironment();
  options.home = home;
  auto context = std::make_unique<kelda::platform::Context>(options);
  auto scope = std::make_unique<kelda::platform::ScopedContext>(*context);
  auto& queue = kelda::support::ImageLoadingQueue::shared();
  // Every round downloads: the pictures of the last round are not kept.
  kelda::support::ImageCache::shared().setCapacity(0);
  auto target = std::make_shared<int>(0);
  std::atomic<int> received{0};
  std::atomic<long> bytes{0};
  for (auto _ : state) {
    for (int i = 0; i < kImages; ++i) {
      kelda::support::ImageLoader::create()->loadImageFromURL(
          server().url(i), target, [&](const kelda::support::Image& image) {
            bytes += static_cast<long>(image.data().size());
            ++received;
          });
    }
    queue.waitUntilAllOperationsAreFinished();
  }
  state.SetItemsProcessed(state.iterations() * kImages);
  state.counters["callbacks"] = received.load();
  state.SetBytesProcessed(bytes.load());
  scope.reset();
  context.reset();
  std::filesystem::remove_all(home);
}

std::size_t collect(char* data, std::size_t size, std::size_t count, void* user) {
  static_cast<std::string*>(user)->append(data, size * count);
  return size * count;
}

// Two threads, each with one kept easy handle, taking the next image until all are read.
void BM_PlainCurlTwoConnections(benchmark::State& state) {
  curl_global_init(CURL_GLOBAL_DEFAULT);
  std::atomic<long> bytes{0};
  for (auto _ : state) {
    std::atomic<int> next{0};
    auto work = [&] {
      CURL* curl = curl_easy_init();
      std::string body;
      for (int i = next++; i < kImages; i = next++) {
        body.clear();
        curl_easy_setopt(curl, CURLOPT_URL, server().url(i).c_str());
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
        curl_easy_perform(curl);
        bytes += static_cast<long>(body.size());
      }
      curl_easy_cleanup(curl);
    };
    std::thread first(work);
    std::thread second(work);
    first.join();
    second.join();
  }
  state.SetItemsProcessed(state.iterations() * kImages);
  state.SetBytesProcessed(bytes.load());
}

BENCHMARK(BM_PlainCurlTwoConnections)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImageLoader)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

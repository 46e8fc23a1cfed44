// The shared image queue: callbacks with the image off the main thread, at most two loads at a
// time, the "noImage1.png" image for every kind of failed load, receivers that went away, and
// connections kept between loads. Runs under ThreadSanitizer as well.
#include "support/ImageLoader.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "images/TestPng.hpp"
#include "support/ClientFixture.hpp"
#include "support/ImageCache.hpp"
#include "support/ImageLoadingQueue.hpp"

namespace kelda::test {
namespace {

using support::Image;
using support::ImageLoader;
using support::ImageLoadingQueue;

// What the callbacks received, in order.
struct Received {
  std::string url;
  std::string imageName;  // "noImage1.png" for the placeholder, empty for a downloaded image
  int width = 0;
  std::thread::id thread;
};

class ImageLoaderTest : public ClientFixture {
 protected:
  ImageLoaderTest() { server().answer("/good.png", {makePng(12, 9), 200, "image/png"}); }
  ~ImageLoaderTest() override {
    server().releaseHeld();
    queue().waitUntilAllOperationsAreFinished();
  }

  ImageLoadingQueue& queue() { return ImageLoadingQueue::shared(); }

  // Starts a load whose callback records into received(); the receiver is `target`.
  void load(const std::string& path, const std::shared_ptr<int>& target) {
    std::string url = server().url(path);
    ImageLoader::create()->loadImageFromURL(url, target, [this, url](const Image& image) {
      std::lock_guard lock(mutex_);
      received_.push_back({url, image.name(), image.width(), std::this_thread::get_id()});
    });
  }
  void load(const std::string& path) { load(path, target_); }

  std::vector<Received> received() {
    std::lock_guard lock(mutex_);
    return received_;
  }
  // Waits for the server to have received `count` requests (they come from the queue's
  // threads); false after ten seconds.
  bool waitForRequests(std::size_t count) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (server().requestCount() < count) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::yield();
    }
    return true;
  }

  std::shared_ptr<int> target_ = std::make_shared<int>(0);

 private:
  std::mutex mutex_;
  std::vector<Received> received_;
};

TEST_F(ImageLoaderTest, CallsBackWithTheImageOffTheMainThread) {
  load("/good.png");
  queue().waitUntilAllOperationsAreFinished();
  auto got = received();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].imageName, "");
  EXPECT_EQ(got[0].width, 12);
  EXPECT_NE(got[0].thread, std::this_thread::get_id());
  EXPECT_EQ(queue().identifierCounter.load(), ImageLoader::urlHash(server().url("/good.png")));
}

TEST(ImageLoaderHashTest, IsDecimalFnv1a64OfTheUrlText) {
  EXPECT_EQ(ImageLoader::urlToHashString(""), "14695981039346656037");
  EXPECT_EQ(ImageLoader::urlToHashString("a"), "12638187200555641996");
  EXPECT_EQ(ImageLoader::urlToHashString("http://127.0.0.1/i.png"),
            std::to_string(ImageLoader::urlHash("http://127.0.0.1/i.png")));
  EXPECT_NE(ImageLoader::urlToHashString("http://h/1.png"),
            ImageLoader::urlToHashString("http://h/2.png"));
}

TEST_F(ImageLoaderTest, RunsAtMostTwoLoadsAtATime) {
  for (const char* path : {"/held1.png", "/held2.png", "/held3.png"}) {
    server().answer(path, {makePng(2, 2), 200, "image/png", {}, true});
  }
  load("/held1.png");
  load("/held2.png");
  load("/held3.png");
  ASSERT_TRUE(waitForRequests(2));
  // Both threads wait on their held answers; the third load is still queued.
  EXPECT_EQ(queue().operationCount(), 3u);
  EXPECT_EQ(server().requestCount(), 2u);
  for (const auto& request : server().requests()) EXPECT_NE(request.path, "/held3.png");
  server().releaseHeld();
  queue().waitUntilAllOperationsAreFinished();
  auto got = received();
  ASSERT_EQ(got.size(), 3u);
  EXPECT_NE(got[0].url, server().url("/held3.png"));  // it started after one had finished
  EXPECT_EQ(server().requestsTo("/held3.png").size(), 1u);
}

TEST_F(ImageLoaderTest, EveryFailedLoadGivesTheNoImagePictureAndTheQueueGoesOn) {
  queue().setTimeout(std::chrono::milliseconds(300));
  server().answer("/text.png", {"<html>not a picture</html>", 200, "text/html"});
  server().answer("/huge.png",
                  {makePng(4, 4) + std::string(11 * 1024 * 1024, 'x'), 200, "image/png"});
  server().answer("/error.png", {makePng(4, 4), 500, "image/png"});
  FakeAnswer dropped;
  dropped.closeWithoutAnswer = true;
  server().answer("/dropped.png", dropped);
  FakeAnswer stalled;
  stalled.hold = true;
  server().answer("/stalled.png", stalled);
  for (const char* path :
       {"/missing.png", "/text.png", "/huge.png", "/error.png", "/dropped.png", "/stalled.png"}) {
    load(path);
  }
  ImageLoader::create()->loadImageFromURL("http://127.0.0.1:1/refused.png", target_,
                                          [this](const Image& image) {
                                            EXPECT_EQ(image.name(), "noImage1.png");
                                            load("/good.png");  // a load started from a callback
                                          });
  queue().waitUntilAllOperationsAreFinished();
  auto got = received();
  ASSERT_EQ(got.size(), 7u);
  for (const auto& one : got) {
    bool good = one.url == server().url("/good.png");
    EXPECT_EQ(one.imageName, good ? "" : "noImage1.png") << one.url;
    EXPECT_EQ(one.width, good ? 12 : 90) << one.url;
  }
}

TEST_F(ImageLoaderTest, AReceiverThatWentAwayGetsNoCallback) {
  for (const char* path : {"/held1.png", "/held2.png"}) {
    server().answer(path, {makePng(2, 2), 200, "image/png", {}, true});
  }
  auto leaving = std::make_shared<int>(1);
  auto notStarted = std::make_shared<int>(2);
  load("/held1.png", leaving);
  load("/held2.png");
  load("/good.png", notStarted);
  ASSERT_TRUE(waitForRequests(2));
  leaving.reset();     // gone while its load runs
  notStarted.reset();  // gone before its load started: it is skipped
  server().releaseHeld();
  queue().waitUntilAllOperationsAreFinished();
  auto got = received();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].url, server().url("/held2.png"));
  EXPECT_TRUE(server().requestsTo("/good.png").empty());
}

TEST_F(ImageLoaderTest, LoadsReuseTheirConnectionsAndAPictureIsDownloadedOnce) {
  for (int i = 0; i < 4; ++i) {
    const std::string path = "/good" + std::to_string(i) + ".png";
    server().answer(path, {makePng(3, 3), 200, "image/png"});
    load(path);
    queue().waitUntilAllOperationsAreFinished();
  }
  std::set<int> ports;
  for (const auto& request : server().requests()) ports.insert(request.remotePort);
  EXPECT_EQ(server().requestCount(), 4u);
  EXPECT_LE(ports.size(), 2u);  // one connection per queue thread

  // Loads of one URL asked for together share one download; later ones come from the cache,
  // at once, on the asking thread.
  server().clearRequests();
  server().answer("/shared.png", {makePng(6, 6), 200, "image/png", std::chrono::milliseconds(50)});
  for (int i = 0; i < 3; ++i) load("/shared.png");
  queue().waitUntilAllOperationsAreFinished();
  load("/shared.png");
  EXPECT_EQ(server().requestsTo("/shared.png").size(), 1u);
  auto got = received();
  ASSERT_EQ(got.size(), 8u);
  EXPECT_EQ(got.back().width, 6);
  EXPECT_EQ(got.back().thread, std::this_thread::get_id());
}

TEST(ImageCacheTest, KeepsTheMostRecentlyUsedWithinItsCapacity) {
  auto picture = [](int side) { return *Image::fromData(makePng(side, side)); };
  support::ImageCache cache;
  const std::size_t one = picture(4).data().size();
  cache.setCapacity(2 * one);
  cache.insert("a", picture(4));
  cache.insert("b", picture(4));
  ASSERT_TRUE(cache.find("a"));  // "a" is now the most recently used
  cache.insert("c", picture(4));
  EXPECT_TRUE(cache.find("a"));
  EXPECT_FALSE(cache.find("b"));
  EXPECT_TRUE(cache.find("c"));
  EXPECT_EQ(cache.totalBytes(), 2 * one);
  cache.setCapacity(one / 2);  // nothing fits any more
  EXPECT_EQ(cache.count(), 0u);
  cache.insert("big", picture(4));
  EXPECT_FALSE(cache.find("big"));
}

}  // namespace
}  // namespace kelda::test

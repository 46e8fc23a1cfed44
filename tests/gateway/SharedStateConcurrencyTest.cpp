#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "platform/Context.hpp"

namespace kelda::gateway {
namespace {

// Answers as a worker would store them: each one whole and self-consistent.
json::Value answer(int n) {
  const std::string tag = std::to_string(n);
  return json::Value::object({{"id", tag}, {"data", json::Value::array({tag, tag, tag})}});
}

bool isWhole(const json::Value& value) {
  if (value.isAbsent()) return true;
  const std::string id = value["id"].str();
  if (value["data"].size() != 3) return false;
  for (const json::Value& item : value["data"].items()) {
    if (item.str() != id) return false;
  }
  return true;
}

// Workers write the shared state while the main thread reads it: every read sees one whole
// stored value, never a mix, and the last write wins.
TEST(SharedStateConcurrencyTest, WritersAndReadersNeverSeeTornValues) {
  platform::Context context;
  platform::ScopedContext scope(context);
  constexpr int kWriters = 4;
  constexpr int kWrites = 2000;
  std::atomic<bool> done{false};
  std::vector<std::thread> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.emplace_back([w] {
      // First use from a worker creates the objects: creation is guarded too.
      auto& state = TarnObjects::sharedInstance();
      auto& profile = UserProfileDetails::sharedUserProfileObject();
      for (int i = 0; i < kWrites; ++i) {
        const json::Value value = answer(w * kWrites + i);
        state.setSearchResultsDictionary(value);
        state.setPageFlag(i);
        profile.setProfileDictionary(value);
        profile.setMarkedSubscribeKeldas(i % 2 == 0);
        GlobalFlags::shared().loginSuccessful = i % 2 == 1;
      }
    });
  }
  std::thread reader([&] {
    while (!done) {
      EXPECT_TRUE(isWhole(TarnObjects::sharedInstance().searchResultsDictionary()));
      EXPECT_TRUE(isWhole(UserProfileDetails::sharedUserProfileObject().profileDictionary()));
      (void)UserProfileDetails::sharedUserProfileObject().markedSubscribeKeldas();
      (void)GlobalFlags::shared().loginSuccessful.load();
    }
  });
  for (auto& writer : writers) writer.join();
  done = true;
  reader.join();

  TarnObjects::sharedInstance().setSearchResultsDictionary(answer(-1));
  EXPECT_EQ(TarnObjects::sharedInstance().searchResultsDictionary()["id"].str(), "-1");
  EXPECT_EQ(TarnObjects::sharedInstance().pageFlag(), kWrites - 1);
}

}  // namespace
}  // namespace kelda::gateway

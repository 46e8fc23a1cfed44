// Values are shared between threads as snapshots; the convenience operations may be called
// from any thread.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "json/SBJson.hpp"

namespace kelda::json {
namespace {

TEST(JsonConcurrency, SharedValuesAndConvenienceOperations) {
  Value shared = JSONValue("{\"data\":[{\"id\":1},{\"id\":2}],\"name\":\"bag\"}");
  ASSERT_TRUE(shared.isObject());
  std::vector<std::thread> threads;
  std::vector<int> ok(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 200; ++i) {
        Value copy = shared;
        Value item = copy["data"][static_cast<std::size_t>(i % 2)];
        auto text = JSONRepresentation(copy.with("n", i));
        Value back = JSONValue(*text);
        if (item["id"].intValue() == i % 2 + 1 && back["n"].intValue() == i) ++ok[t];
        SBJsonParser own;
        if (own.objectWithString("[1,2,3]").size() == 3) ++ok[t];
      }
    });
  }
  for (auto& th : threads) th.join();
  for (int count : ok) EXPECT_EQ(count, 400);
}

// A concatenated list is read, written and extended from several threads while its last owner
// may be any of them.
TEST(JsonConcurrency, ConcatenatedArraysSharedBetweenThreads) {
  Value shared = Value::array();
  for (int page = 0; page < 70; ++page) {
    shared = Value::concatenated(shared, JSONValue("[{\"id\":" + std::to_string(page) + "}]"));
  }
  std::vector<std::thread> threads;
  std::vector<int> ok(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&ok, t, mine = shared]() mutable {
      for (int i = 0; i < 100; ++i) {
        mine = Value::concatenated(mine, Value::array({Value(i)}));
        bool read = mine[static_cast<std::size_t>(i % 70)]["id"].intValue() == i % 70;
        bool written = JSONRepresentation(mine).has_value();
        if (read && written && mine.size() == 71u + static_cast<std::size_t>(i)) ++ok[t];
      }
    });
  }
  shared = Value();
  for (auto& th : threads) th.join();
  for (int count : ok) EXPECT_EQ(count, 100);
}

}  // namespace
}  // namespace kelda::json

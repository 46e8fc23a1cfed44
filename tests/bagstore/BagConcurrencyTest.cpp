// The bag store used from several threads at once: adds from two workers while the main thread
// counts the bag under its own lock. Runs under ThreadSanitizer as well.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>

#include "bag/CoreDataHandler.hpp"
#include "bag/ViewBagData.hpp"
#include "bagstore/BagTestSupport.hpp"

namespace kelda::test {
namespace {

using bag::CoreDataHandler;

class BagConcurrencyTest : public BagFixture {};

TEST_F(BagConcurrencyTest, AddsFromWorkersWhileTheMainThreadCounts) {
  auto& store = CoreDataHandler::sharedCoreDataHandler();
  constexpr int kPerWorker = 40;
  auto worker = [&store](const std::string& prefix) {
    for (int i = 0; i < kPerWorker; ++i) {
      std::string upc = prefix + std::to_string(i);
      ASSERT_TRUE(store.addNewRowInEntityWithObject(upc, "2", "1.00", "Red", "M"));
      store.setItemBOAttrRequestParameterForCheckout();
    }
  };
  std::mutex badgeLock;
  std::thread first(worker, "a");
  std::thread second(worker, "b");
  long long last = 0;
  for (int i = 0; i < 50; ++i) {
    long long total = store.totalQuantityInBag(badgeLock);
    EXPECT_GE(total, last);  // lines are only added
    last = total;
    (void)bag::ViewBagData::sharedViewBagDataObject().itemBOAttrJSON();
  }
  first.join();
  second.join();
  EXPECT_EQ(store.totalQuantityInBag(badgeLock), 2 * kPerWorker * 2);
  EXPECT_EQ(store.fetchExistingBagItems(), 2 * kPerWorker);
}

}  // namespace
}  // namespace kelda::test

#include "Settle.hpp"

#include "support/ImageLoadingQueue.hpp"

namespace kelda::cli {

void settle(platform::RunLoop& loop) {
  // A delivered picture may reload a table whose new rows start more loads: repeat, bounded.
  constexpr int kMaxRounds = 16;
  auto& images = support::ImageLoadingQueue::shared();
  for (int round = 0; round < kMaxRounds; ++round) {
    loop.runUntilIdle();
    if (images.operationCount() == 0) break;
    images.waitUntilAllOperationsAreFinished();
  }
  loop.runUntilIdle();
}

}  // namespace kelda::cli

#include "Settle.hpp"

#include "support/ImageLoadingQueue.hpp"
#include "ui/ScreenTree.hpp"
#include "ui/Window.hpp"

namespace kelda::cli {

void settle(platform::RunLoop& loop) {
  // Table rows are made when the screen is drawn, and a new row starts its picture's load; a
  // delivered picture may in turn reload a table. So: run, draw, wait for the pictures, and
  // repeat (bounded) until a round starts no load.
  constexpr int kMaxRounds = 16;
  auto& images = support::ImageLoadingQueue::shared();
  for (int round = 0; round < kMaxRounds; ++round) {
    loop.runUntilIdle();
    ui::ScreenTree::capture(ui::Window::shared());
    if (images.operationCount() == 0) break;
    images.waitUntilAllOperationsAreFinished();
  }
  loop.runUntilIdle();
}

}  // namespace kelda::cli

// Frame: what the client's window shows at one moment, handed from the client's main thread to
// the window's thread: the screen tree, the bytes of the downloaded pictures it numbers, the
// transitions and outside addresses that happened since the last frame, and how far the client
// has got with the person's actions. Immutable once made; any thread may read it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "json/Value.hpp"

namespace kelda::qt {

struct Frame {
  json::Value tree;
  // By the "data" number of image nodes and the "imageData" number of rows.
  std::vector<std::shared_ptr<const std::string>> images;
  // Window events since the previous frame ("transition curlUp 2s window", ...).
  std::vector<std::string> events;
  // Outside addresses the client opened since the previous frame.
  std::vector<std::string> opened;
  // The number of the last action the client has carried out (actions are numbered from 1).
  std::uint64_t actionsDone = 0;
  // True when no worker and no outside work was running when the frame was taken: the
  // screen shows the outcome of every action so far.
  bool settled = false;
};

using FramePtr = std::shared_ptr<const Frame>;

}  // namespace kelda::qt

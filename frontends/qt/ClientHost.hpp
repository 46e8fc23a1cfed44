// ClientHost: the client behind the window. It owns the client's context (the options are read
// once, as kelda-cli reads them), launches the client through the application delegate,
// carries out the person's actions with ui::Actor, and hands a Frame to the window whenever
// the client's run loop is about to go idle and something changed: the loop's idle observer is
// where a window draws, after the headless window has laid itself out.
//
// Two ways to drive the client's run loop:
// - OwnThread: the loop runs on a thread of its own on the real clock. The loop sleeps until a
//   task, a timer or a worker's hand-back, and the window's event loop sleeps until input or a
//   frame; while idle neither polls (only while workers run does a short timer look again for
//   the moment they have all ended). Frames are made on the client's thread.
// - Inline: the loop belongs to the thread that made the host, which runs it with settle()
//   (scripted screenshots and tests), on the real clock or on virtual time.
//
// Public operations are called from the thread that made the host. The frame sink runs on the
// client's main thread. Destroying the host stops the loop, waits for the client's thread and
// workers, and destroys the client.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Frame.hpp"
#include "WebPages.hpp"
#include "platform/Context.hpp"
#include "platform/Options.hpp"
#include "platform/RunLoop.hpp"
#include "ui/Actor.hpp"

namespace kelda::qt {

class ClientHost {
 public:
  enum class Drive { OwnThread, Inline };
  using FrameSink = std::function<void(FramePtr)>;
  using Action = std::function<ui::ActResult(ui::Actor&)>;

  // Makes the client's context current with `options`; nothing is launched yet. A virtual
  // clock (Inline only) moves only with advance().
  ClientHost(platform::Options options, Drive drive, bool virtualClock = false);
  ~ClientHost();
  ClientHost(const ClientHost&) = delete;
  ClientHost& operator=(const ClientHost&) = delete;

  // Launches the client (on its own thread, or now and until idle when inline); frames go to
  // `sink` from then on. Call once. Without `launchClient`, the window shows whatever the
  // caller put in it (tests of the toolkit's elements).
  void start(FrameSink sink, bool launchClient = true);
  // Queues a person's action for the client's main thread; answers its number (from 1).
  std::uint64_t act(Action action);
  // The number of the last action queued.
  std::uint64_t actionsSent() const { return actionsSent_.load(); }
  // Queues other work for the client's main thread.
  void post(std::function<void()> work);

  // Inline only: runs the client until idle (every action, request and picture load done),
  // sending a frame if something changed.
  void settle();
  // Inline only: lets `seconds` pass on the client's clock, then settles.
  void advance(double seconds);

  // The client's context and run loop (inline use, and tests that build screens themselves).
  platform::Context& context() { return *context_; }
  platform::RunLoop& loop();
  WebPages& pages() { return pages_; }

 private:
  void launch(bool launchClient);
  void publish();
  std::vector<std::string> newEvents();
  std::vector<std::string> newlyOpened();

  Drive drive_;
  std::unique_ptr<platform::Context> context_;
  std::optional<platform::ScopedContext> scope_;
  WebPages pages_;
  FrameSink sink_;
  std::thread thread_;
  platform::ObserverId observer_ = 0;
  bool started_ = false;
  std::atomic<std::uint64_t> actionsSent_{0};
  std::atomic<std::uint64_t> actionsDone_{0};

  // What the last frame showed (client's main thread only).
  json::Value lastTree_;
  std::vector<std::shared_ptr<const std::string>> lastImages_;
  std::uint64_t lastActionsDone_ = 0;
  bool lastSettled_ = false;
  bool published_ = false;
  bool recheckScheduled_ = false;
  std::size_t eventsSeen_ = 0;
  std::size_t openedSeen_ = 0;
};

}  // namespace kelda::qt

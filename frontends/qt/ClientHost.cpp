#include "ClientHost.hpp"

#include <chrono>
#include <utility>

#include "app/TarnAppDelegate.hpp"
#include "platform/Log.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/UrlOpener.hpp"
#include "ui/NetworkActivityIndicator.hpp"
#include "ui/ScreenTree.hpp"
#include "ui/Window.hpp"

namespace kelda::qt {

namespace {
constexpr auto kRecheckWhileBusy = std::chrono::milliseconds(25);
}  // namespace

ClientHost::ClientHost(platform::Options options, Drive drive, bool virtualClock) : drive_(drive) {
  context_ = std::make_unique<platform::Context>(std::move(options));
  scope_.emplace(*context_);
  log::configure(context_->options()->logLevel, context_->options()->logFile);
  if (virtualClock && drive_ == Drive::Inline) {
    platform::RunLoop::main().setClock(std::make_shared<platform::ManualClock>());
  }
  // The services screens use on their way out are made before the screens, so that they are
  // destroyed after them (a context destroys its objects in reverse order of creation).
  platform::NotificationCenter::defaultCenter();
  platform::UrlOpener::shared();
  ui::NetworkActivityIndicator::shared();
  ui::Window::shared().setPageLoader([this](const std::string& url) { return pages_.load(url); });
}

ClientHost::~ClientHost() {
  platform::RunLoop& runLoop = loop();
  if (thread_.joinable()) {
    runLoop.post([&runLoop] { runLoop.stop(); });
    thread_.join();
    runLoop.adoptCurrentThreadAsMain();
  }
  if (started_) runLoop.removeIdleObserver(observer_);
  context_.reset();
  scope_.reset();
}

platform::RunLoop& ClientHost::loop() {
  return context_->get<platform::RunLoop>();
}

void ClientHost::start(FrameSink sink, bool launchClient) {
  if (started_) return;
  started_ = true;
  sink_ = std::move(sink);
  if (drive_ == Drive::Inline) {
    launch(launchClient);
    loop().runUntilIdle();
    return;
  }
  thread_ = std::thread([this, launchClient] {
    platform::RunLoop& runLoop = loop();
    runLoop.adoptCurrentThreadAsMain();
    launch(launchClient);
    runLoop.run();
  });
}

void ClientHost::launch(bool launchClient) {
  if (launchClient) app::TarnAppDelegate::shared().applicationDidFinishLaunching();
  // Registered after the window's own observer, so that frames show the laid-out window.
  observer_ = loop().addIdleObserver([this] { publish(); });
}

std::uint64_t ClientHost::act(Action action) {
  const std::uint64_t number = ++actionsSent_;
  loop().post([this, number, action = std::move(action)] {
    ui::Actor actor(ui::Window::shared());
    if (ui::ActResult result = action(actor); !result) {
      log::debug("kelda.action", result.message);
    }
    actionsDone_.store(number);
  });
  return number;
}

void ClientHost::post(std::function<void()> work) {
  loop().post(std::move(work));
}

void ClientHost::settle() {
  if (drive_ == Drive::Inline) loop().runUntilIdle();
}

void ClientHost::advance(double seconds) {
  if (drive_ != Drive::Inline) return;
  loop().runFor(
      std::chrono::duration_cast<platform::Duration>(std::chrono::duration<double>(seconds)));
}

std::vector<std::string> ClientHost::newEvents() {
  const std::vector<std::string>& events = ui::Window::shared().events();
  std::vector<std::string> fresh(events.begin() + static_cast<std::ptrdiff_t>(eventsSeen_),
                                 events.end());
  eventsSeen_ = events.size();
  return fresh;
}

std::vector<std::string> ClientHost::newlyOpened() {
  std::vector<std::string> opened = platform::UrlOpener::shared().opened();
  std::vector<std::string> fresh(opened.begin() + static_cast<std::ptrdiff_t>(openedSeen_),
                                 opened.end());
  openedSeen_ = opened.size();
  return fresh;
}

// Takes the window as it is now and sends it when anything a person could notice changed, or
// when the client got further with the actions or settled.
void ClientHost::publish() {
  if (!sink_) return;
  auto frame = std::make_shared<Frame>();
  {
    // The tree's targets hold the client's views: they stay on this thread.
    ui::ScreenTree tree = ui::ScreenTree::capture(ui::Window::shared());
    frame->tree = tree.json();
    frame->images = tree.imageData();
  }
  frame->events = newEvents();
  frame->opened = newlyOpened();
  frame->actionsDone = actionsDone_.load();
  frame->settled = loop().runningWorkers() == 0;
  // A worker that ends without handing anything back (an analytics tag) does not wake the
  // idle observers; while work runs, a short timer looks again, so the frame that says
  // "settled" does come. Nothing is scheduled once the client is idle.
  if (!frame->settled && drive_ == Drive::OwnThread && !recheckScheduled_) {
    recheckScheduled_ = true;
    loop().schedule(kRecheckWhileBusy, [this] { recheckScheduled_ = false; });
  }
  const bool same = published_ && frame->tree == lastTree_ && frame->images == lastImages_ &&
                    frame->events.empty() && frame->opened.empty() &&
                    frame->actionsDone == lastActionsDone_ && frame->settled == lastSettled_;
  if (same) return;
  published_ = true;
  lastTree_ = frame->tree;
  lastImages_ = frame->images;
  lastActionsDone_ = frame->actionsDone;
  lastSettled_ = frame->settled;
  sink_(std::move(frame));
}

}  // namespace kelda::qt

#include "platform/Context.hpp"

#include "platform/NotificationCenter.hpp"
#include "platform/RunLoop.hpp"
#include "platform/UrlOpener.hpp"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace kelda::platform {
namespace {
std::atomic<Context*> g_current{nullptr};
}

Context::Context(Options options) : options_(std::make_shared<const Options>(std::move(options))) {
  get<RunLoop>();
  get<NotificationCenter>();
  get<UrlOpener>();
}

Context::~Context() {
  // Workers may still use any object (an analytics tag is never awaited): stop the run loop and
  // join its workers before anything is destroyed.
  if (auto it = objects_.find(std::type_index(typeid(RunLoop))); it != objects_.end()) {
    static_cast<RunLoop*>(it->second)->shutdown();
  }
  // Reverse order of creation: later objects may refer to earlier ones. Each object leaves the
  // table before it is destroyed, so a destructor that asks for it gets a fresh one, never a
  // dangling one.
  for (;;) {
    std::unique_ptr<HolderBase> holder;
    {
      std::lock_guard lock(mutex_);
      if (order_.empty()) break;
      objects_.erase(order_.back().first);
      holder = std::move(order_.back().second);
      order_.pop_back();
    }
    holder.reset();
  }
}

std::shared_ptr<const Options> Context::options() const {
  std::lock_guard lock(optionsMutex_);
  return options_;
}

void Context::setOptions(Options options) {
  auto replacement = std::make_shared<const Options>(std::move(options));
  std::lock_guard lock(optionsMutex_);
  options_ = std::move(replacement);
}

Context& Context::current() {
  Context* context = g_current.load(std::memory_order_acquire);
  if (context == nullptr) {
    std::fputs("kelda: no current Context (create one and make it current with ScopedContext)\n",
               stderr);
    std::abort();
  }
  return *context;
}

bool Context::hasCurrent() {
  return g_current.load(std::memory_order_acquire) != nullptr;
}

ScopedContext::ScopedContext(Context& context)
    : previous_(g_current.exchange(&context, std::memory_order_acq_rel)) {}

ScopedContext::~ScopedContext() {
  g_current.store(previous_, std::memory_order_release);
}

}  // namespace kelda::platform

#include "platform/NotificationCenter.hpp"

#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/Context.hpp"
#include "platform/RunLoop.hpp"

namespace kelda::platform {

struct NotificationCenter::State {
  struct Observer {
    std::uint64_t id;
    std::string name;
    Owner owner;
    std::shared_ptr<const Callback> callback;
  };

  mutable std::mutex mutex;
  std::vector<Observer> observers;
  std::uint64_t nextId = 1;

  // The observers of `name` now, as (id, callback) pairs.
  std::vector<std::pair<std::uint64_t, std::shared_ptr<const Callback>>> observersOf(
      std::string_view name) const {
    std::lock_guard lock(mutex);
    std::vector<std::pair<std::uint64_t, std::shared_ptr<const Callback>>> found;
    for (const Observer& observer : observers) {
      if (observer.name == name) found.emplace_back(observer.id, observer.callback);
    }
    return found;
  }

  bool stillObserving(std::uint64_t id) const {
    std::lock_guard lock(mutex);
    for (const Observer& observer : observers) {
      if (observer.id == id) return true;
    }
    return false;
  }

  template <class Match>
  void removeIf(Match match) {
    std::vector<Observer> removed;  // callbacks are released after the lock
    std::lock_guard lock(mutex);
    std::vector<Observer> kept;
    for (Observer& observer : observers) {
      (match(observer) ? removed : kept).push_back(std::move(observer));
    }
    observers.swap(kept);
  }

  void deliver(const Notification& notification) const {
    for (const auto& [id, callback] : observersOf(notification.name)) {
      if (stillObserving(id)) (*callback)(notification);
    }
  }
};

NotificationCenter::NotificationCenter() : state_(std::make_shared<State>()) {}

NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::defaultCenter() {
  return Context::current().get<NotificationCenter>();
}

void NotificationCenter::addObserver(std::string name, Owner owner, Callback callback) {
  if (!callback) return;
  std::lock_guard lock(state_->mutex);
  state_->observers.push_back(
      State::Observer{state_->nextId++, std::move(name), owner,
                      std::make_shared<const Callback>(std::move(callback))});
}

void NotificationCenter::removeObserver(Owner owner) {
  state_->removeIf([owner](const State::Observer& o) { return o.owner == owner; });
}

void NotificationCenter::removeObserver(Owner owner, std::string_view name) {
  state_->removeIf(
      [owner, name](const State::Observer& o) { return o.owner == owner && o.name == name; });
}

void NotificationCenter::postNotification(std::string name, json::Value object,
                                          json::Value userInfo) {
  Notification notification{std::move(name), std::move(object), std::move(userInfo)};
  RunLoop& loop = RunLoop::main();
  if (loop.isMainThread()) {
    state_->deliver(notification);
    return;
  }
  // The center may be gone by the time the main thread runs the delivery.
  std::weak_ptr<const State> weak = state_;
  loop.post([weak, notification = std::move(notification)] {
    if (auto state = weak.lock()) state->deliver(notification);
  });
}

}  // namespace kelda::platform

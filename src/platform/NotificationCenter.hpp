// NotificationCenter: in-process notifications by name, delivered on the main thread.
//
// One center per Context (defaultCenter()). Observers register a callback for a name under an
// owner token (usually the observing object's address) and are removed by that token. Any
// thread may add, remove or post: a post from the main thread is delivered before it returns;
// a post from another thread is queued on the main run loop and delivered there. An observer
// removed during a delivery is not called afterwards, and one added during a delivery first
// hears the next post.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "json/Value.hpp"

namespace kelda::platform {

struct Notification {
  std::string name;
  json::Value object;
  json::Value userInfo;
};

class NotificationCenter {
 public:
  using Callback = std::function<void(const Notification&)>;
  using Owner = const void*;

  NotificationCenter();
  ~NotificationCenter();
  NotificationCenter(const NotificationCenter&) = delete;
  NotificationCenter& operator=(const NotificationCenter&) = delete;

  // The current context's center.
  static NotificationCenter& defaultCenter();

  // Call `callback` for every later notification named `name` (observers of one name are called
  // in the order they were added).
  void addObserver(std::string name, Owner owner, Callback callback);
  // Remove every observation of `owner`, or only those of `name`.
  void removeObserver(Owner owner);
  void removeObserver(Owner owner, std::string_view name);

  // Deliver a notification to the observers of `name` (see the threading rules above).
  void postNotification(std::string name, json::Value object = {}, json::Value userInfo = {});

  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace kelda::platform

// postTaskAndReply: the one shape of a screen action that needs the server. `work` runs on a
// new tracked worker thread (it usually calls one request operation synchronously); then
// `reply` runs on the main thread with the owner and work's result, but only while the owner
// still exists. A screen that has gone away is never called back.
//
//   platform::postTaskAndReply(
//       weakFrom(this), [phrase] { return CatalogueRequests::searchResultString(phrase); },
//       [](SearchViewController& screen, bool answered) { screen.searchArrived(answered); });
//
// Call from any thread; the current context's run loop is used.
#pragma once

#include <memory>
#include <type_traits>
#include <utility>

#include "platform/RunLoop.hpp"

namespace kelda::platform {

// A weak reference to `self`, typed as T, for objects owned by a shared_ptr through a base
// that derives from enable_shared_from_this.
template <class T>
std::weak_ptr<T> weakFrom(T* self) {
  return std::static_pointer_cast<T>(self->shared_from_this());
}

template <class Owner, class Work, class Reply>
void postTaskAndReply(std::weak_ptr<Owner> owner, Work work, Reply reply) {
  using Result = std::invoke_result_t<Work&>;
  RunLoop& loop = RunLoop::main();
  loop.detachThread([&loop, owner = std::move(owner), work = std::move(work),
                     reply = std::move(reply)]() mutable {
    if constexpr (std::is_void_v<Result>) {
      work();
      loop.post([owner = std::move(owner), reply = std::move(reply)]() mutable {
        if (auto alive = owner.lock()) reply(*alive);
      });
    } else {
      Result result = work();
      loop.post([owner = std::move(owner), reply = std::move(reply),
                 result = std::move(result)]() mutable {
        if (auto alive = owner.lock()) reply(*alive, std::move(result));
      });
    }
  });
}

}  // namespace kelda::platform

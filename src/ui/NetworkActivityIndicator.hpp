// NetworkActivityIndicator: the status bar's network activity flag, one per context. Workers
// turn it on and off around requests, so it may be used from any thread.
#pragma once

#include <atomic>

namespace kelda::ui {

class NetworkActivityIndicator {
 public:
  static NetworkActivityIndicator& shared();
  void setVisible(bool visible) { visible_.store(visible, std::memory_order_relaxed); }
  bool isVisible() const { return visible_.load(std::memory_order_relaxed); }

 private:
  std::atomic<bool> visible_{false};
};

// Shorthand as screens use it.
inline void setNetworkActivityIndicatorVisible(bool visible) {
  NetworkActivityIndicator::shared().setVisible(visible);
}

}  // namespace kelda::ui

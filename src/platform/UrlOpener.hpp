// UrlOpener: opens outside addresses ("tel:" calls, map directions, retailer pages).
//
// One opener per Context (shared()). Headless, it records every address it is asked to open,
// in order, for tests and the terminal front end to read; a graphical front end installs a
// handler that hands the address to the desktop as well. Safe from any thread.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace kelda::platform {

class UrlOpener {
 public:
  using Handler = std::function<void(const std::string& url)>;

  UrlOpener() = default;
  UrlOpener(const UrlOpener&) = delete;
  UrlOpener& operator=(const UrlOpener&) = delete;

  // The current context's opener.
  static UrlOpener& shared();

  // Records `url` (and passes it to the handler, if any). Always true.
  bool openURL(std::string url);
  // Every address opened so far, oldest first.
  std::vector<std::string> opened() const;
  void clear();
  // Replaces the handler (an empty one leaves recording only).
  void setHandler(Handler handler);

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> opened_;
  Handler handler_;
};

}  // namespace kelda::platform

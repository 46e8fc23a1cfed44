#include "json/JsonLog.hpp"

#include <memory>
#include <mutex>

namespace kelda::json {

namespace {

struct LogState {
  std::mutex mutex;
  std::shared_ptr<const LogHandler> handler;
};

LogState& state() {
  static LogState s;
  return s;
}

}  // namespace

void setLogHandler(LogHandler handler) {
  auto next = handler ? std::make_shared<const LogHandler>(std::move(handler)) : nullptr;
  std::lock_guard lock(state().mutex);
  state().handler = std::move(next);
}

void log(std::string_view operation, std::string_view message) {
  std::shared_ptr<const LogHandler> handler;
  {
    std::lock_guard lock(state().mutex);
    handler = state().handler;
  }
  if (handler) (*handler)(operation, message);
}

}  // namespace kelda::json

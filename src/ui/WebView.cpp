#include "ui/WebView.hpp"

#include <memory>
#include <utility>

#include "platform/RunLoop.hpp"
#include "ui/Window.hpp"

namespace kelda::ui {

void WebView::loadRequest(std::string url) {
  url_ = std::move(url);
  loading_ = true;
  lastError_.clear();
  unsigned long long generation = ++generation_;
  if (didStartLoad) didStartLoad(*this);
  std::weak_ptr<View> weak = weak_from_this();
  platform::RunLoop::main().post([weak, generation] {
    auto self = std::static_pointer_cast<WebView>(weak.lock());
    if (!self || self->generation_ != generation) return;
    PageLoad load = Window::shared().loadPage(self->url_);
    self->finish(generation, load.ok, std::move(load.textOrError));
  });
}

void WebView::stopLoading() {
  ++generation_;
  loading_ = false;
}

void WebView::finish(unsigned long long generation, bool ok, std::string textOrError) {
  if (generation != generation_) return;
  loading_ = false;
  if (ok) {
    pageText_ = std::move(textOrError);
    if (didFinishLoad) didFinishLoad(*this);
  } else {
    lastError_ = std::move(textOrError);
    if (didFailLoad) didFailLoad(*this, lastError_);
  }
}

}  // namespace kelda::ui

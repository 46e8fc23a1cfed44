// WebView: shows an outside page by address. A load starts at once and finishes (or fails) in
// a later main-loop pass through the window's page loader, so screens see the same order of
// callbacks as on a device: didStartLoad now, then didFinishLoad or didFailLoad.
// Main thread only.
#pragma once

#include <functional>
#include <string>

#include "ui/View.hpp"

namespace kelda::ui {

class WebView : public View {
 public:
  WebView() = default;
  ViewKind kind() const override { return ViewKind::Web; }

  // Starts loading `url` (a load in progress is dropped without callbacks).
  void loadRequest(std::string url);
  // Drops a load in progress without callbacks.
  void stopLoading();
  bool isLoading() const { return loading_; }
  const std::string& url() const { return url_; }
  // Text of the last finished page (what the page loader gave), or empty.
  const std::string& pageText() const { return pageText_; }
  const std::string& lastError() const { return lastError_; }

  bool scalesPageToFit = false;
  std::function<void(WebView&)> didStartLoad;
  std::function<void(WebView&)> didFinishLoad;
  std::function<void(WebView&, const std::string& error)> didFailLoad;

 private:
  void finish(unsigned long long generation, bool ok, std::string textOrError);
  std::string url_;
  std::string pageText_;
  std::string lastError_;
  bool loading_ = false;
  unsigned long long generation_ = 0;
};

}  // namespace kelda::ui

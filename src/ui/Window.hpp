// Window: the single application window of a context (Window::shared()). It holds the root
// screen (the tab container, or a single screen such as the no-connection screen), views added
// over it (splash, overlays), the stack of alerts, the picker presented with its toolbar, the
// modal screens, the drop-in banner, the first responder (the field with the keyboard), the
// page loader of web views and the list of recorded events (transitions, animations).
//
// The screen tree (ScreenTree) renders what the window shows; Actor acts on it as a person
// would. Main thread only (showAlert() posts here from other threads).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/AlertView.hpp"
#include "ui/View.hpp"
#include "ui/ViewController.hpp"

namespace kelda::platform {
class RunLoop;
}

namespace kelda::ui {

class DropInBanner;

// What the page loader gives a web view: the page's text, or an error description.
struct PageLoad {
  bool ok = true;
  std::string textOrError;
};

class Window {
 public:
  Window();
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // The current context's window.
  static Window& shared();

  // Root screen; the old root disappears and the new one appears when the window is visible.
  void setRootViewController(std::shared_ptr<ViewController> root);
  std::shared_ptr<ViewController> rootViewController() const { return root_; }
  // Shows the window; from then on it lays itself out each time the run loop is about to go
  // idle (RunLoop::addIdleObserver).
  void makeKeyAndVisible();
  bool isVisible() const { return visible_; }
  // Makes what is shown ready to be drawn: table rows are asked for (and start their loads).
  void layoutIfNeeded();

  // Views over the root screen (drawn in order, last on top).
  void addSubview(std::shared_ptr<View> view);
  View& contentView() { return *content_; }

  // The screen a person sees: the top modal screen, else the root's selected tab's top screen.
  ViewController* topViewController() const;
  // The screen whose navigation bar and tab bar are drawn (the top modal or the root).
  ViewController* frontController() const;

  // Alerts, newest last (the newest is the one shown). showAlert is immediate here.
  void showAlert(AlertView alert);
  const std::vector<AlertView>& alerts() const { return alerts_; }
  // Presses button `index` of the shown alert: the alert closes, then its callback runs.
  // False when no alert is shown or the index is out of range.
  bool clickAlertButton(int index);

  // A picker (PickerView or DatePicker) slid up in the window with its Done/Cancel toolbar,
  // shown until dismissPicker (a new one replaces the old).
  void presentPicker(std::shared_ptr<View> picker);
  void dismissPicker();
  std::shared_ptr<View> presentedPicker() const { return picker_; }

  // Modal screens over everything (newest last).
  void presentModal(std::shared_ptr<ViewController> screen, ViewController* presenter,
                    bool animated);
  // Dismisses `screen` and every modal screen above it; nothing when it is not presented.
  void dismissModal(const ViewController& screen, bool animated);
  // The screen that `presenter` presents, or null.
  std::shared_ptr<ViewController> modalPresentedBy(const ViewController& presenter) const;
  // The presenter of `screen` when it is presented modally, else null.
  ViewController* presenterOf(const ViewController& screen) const;
  bool isPresentedModally(const ViewController& screen) const;
  std::vector<std::shared_ptr<ViewController>> modalScreens() const;

  // The banner shown (null when none or folded away).
  void setBanner(std::shared_ptr<DropInBanner> banner) { banner_ = std::move(banner); }
  std::shared_ptr<DropInBanner> banner() const;

  // The text field or search bar with the keyboard (null when none). Set by the fields.
  std::shared_ptr<View> firstResponder() const { return firstResponder_.lock(); }
  void setFirstResponder(std::shared_ptr<View> view) { firstResponder_ = view; }
  // Ends editing of whichever field has the keyboard.
  void endEditing();

  // Page loader of web views (by default every page loads, with empty text).
  using PageLoader = std::function<PageLoad(const std::string& url)>;
  void setPageLoader(PageLoader loader) { pageLoader_ = std::move(loader); }
  PageLoad loadPage(const std::string& url) const;

  // Recorded transitions and animations, oldest first.
  void recordEvent(std::string event) { events_.push_back(std::move(event)); }
  const std::vector<std::string>& events() const { return events_; }

 private:
  struct Modal {
    std::shared_ptr<ViewController> screen;
    ViewController* presenter;
  };
  std::shared_ptr<ViewController> root_;
  std::shared_ptr<View> content_;
  std::vector<AlertView> alerts_;
  std::shared_ptr<View> picker_;
  std::vector<Modal> modals_;
  std::shared_ptr<DropInBanner> banner_;
  std::weak_ptr<View> firstResponder_;
  PageLoader pageLoader_;
  std::vector<std::string> events_;
  bool visible_ = false;
  // The run loop that lays the window out (made before the window, so it outlives it).
  platform::RunLoop* layoutLoop_ = nullptr;
  std::uint64_t layoutObserver_ = 0;
};

}  // namespace kelda::ui

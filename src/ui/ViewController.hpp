// ViewController: one screen. It owns its view (made on first use by loadView, then
// viewDidLoad), its navigation item and its tab item, and receives the appearance callbacks
// (viewWillAppear, viewDidAppear, viewWillDisappear, viewDidDisappear) whenever it comes onto
// or leaves the screen through a navigation stack, a tab switch, the window or a modal
// presentation.
//
// Screens are shared (std::shared_ptr): a container keeps the screens it shows and screens
// often keep the screens they push, to reuse them. Create them with std::make_shared.
// The container a screen is in is a plain back pointer maintained by the container.
// Main thread only.
#pragma once

#include <memory>
#include <string>

#include "ui/NavigationItem.hpp"
#include "ui/TabBarItem.hpp"
#include "ui/View.hpp"

namespace kelda::ui {

class NavigationController;
class TabBarController;

class ViewController : public std::enable_shared_from_this<ViewController> {
 public:
  ViewController() = default;
  virtual ~ViewController();
  ViewController(const ViewController&) = delete;
  ViewController& operator=(const ViewController&) = delete;

  // The screen's view, made on first use (loadView, then viewDidLoad).
  std::shared_ptr<View> view();
  bool isViewLoaded() const { return view_ != nullptr; }
  // Replaces the view (viewDidLoad is not called for a view set this way).
  void setView(std::shared_ptr<View> view);

  // The title; also the navigation item's title.
  const std::string& title() const { return title_; }
  void setTitle(std::string title);
  NavigationItem& navigationItem() { return navigationItem_; }
  TabBarItem& tabBarItem() { return tabBarItem_; }

  // The nearest navigation stack / tab container this screen is in; null when none.
  NavigationController* navigationController() const;
  TabBarController* tabBarController() const;
  ViewController* parentViewController() const { return parent_; }

  // Presents `screen` over everything (full screen, above the tabs) until dismissed.
  void presentModalViewController(std::shared_ptr<ViewController> screen, bool animated);
  // Dismisses the screen this one presented (or this one, when it is presented).
  void dismissModalViewControllerAnimated(bool animated);
  // The screen this one presents, or null.
  std::shared_ptr<ViewController> modalViewController() const;

  // True between viewWillAppear and viewWillDisappear.
  bool isOnScreen() const {
    return appearance_ == Appearance::Appearing || appearance_ == Appearance::On;
  }

  // Appearance transitions, driven by containers and the window (not by screens): each calls
  // the screen's own callback and then forwards to the child the screen shows, if any.
  void beginAppearance(bool animated);
  void endAppearance(bool animated);
  void beginDisappearance(bool animated);
  void endDisappearance(bool animated);

  // Containers set and clear the back pointer of the screens they hold.
  void setParentViewController(ViewController* parent) { parent_ = parent; }

 protected:
  // Makes the view; the default is an empty full-screen view. Override to build it in code.
  virtual std::shared_ptr<View> loadView();
  virtual void viewDidLoad() {}
  virtual void viewWillAppear(bool /*animated*/) {}
  virtual void viewDidAppear(bool /*animated*/) {}
  virtual void viewWillDisappear(bool /*animated*/) {}
  virtual void viewDidDisappear(bool /*animated*/) {}
  // Containers: the child whose appearance follows this screen's (the top or selected one).
  virtual ViewController* visibleChild() const { return nullptr; }

 private:
  std::shared_ptr<View> view_;
  std::string title_;
  NavigationItem navigationItem_;
  TabBarItem tabBarItem_;
  ViewController* parent_ = nullptr;
  enum class Appearance { Off, Appearing, On, Disappearing };
  Appearance appearance_ = Appearance::Off;
};

}  // namespace kelda::ui

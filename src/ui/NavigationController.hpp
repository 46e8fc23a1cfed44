// NavigationController: a stack of screens with a navigation bar; the top screen is shown.
// Pushing and popping send the appearance callbacks to the screens that come and go while the
// stack itself is on screen. Main thread only.
#pragma once

#include <memory>
#include <vector>

#include "ui/Geometry.hpp"
#include "ui/ViewController.hpp"

namespace kelda::ui {

class NavigationController : public ViewController {
 public:
  NavigationController() = default;
  explicit NavigationController(std::shared_ptr<ViewController> root);
  ~NavigationController() override;

  // Pushes `screen` on top (a screen already in the stack is ignored).
  void pushViewController(std::shared_ptr<ViewController> screen, bool animated = true);
  // Pops the top screen and returns it; null (nothing changed) when only the root is left.
  std::shared_ptr<ViewController> popViewControllerAnimated(bool animated = true);
  // Pops every screen above the root; returns them (bottom first).
  std::vector<std::shared_ptr<ViewController>> popToRootViewControllerAnimated(
      bool animated = true);
  // Pops every screen above `screen`; empty (nothing changed) when `screen` is not in the stack.
  std::vector<std::shared_ptr<ViewController>> popToViewController(const ViewController& screen,
                                                                   bool animated = true);
  // Replaces the whole stack.
  void setViewControllers(std::vector<std::shared_ptr<ViewController>> screens,
                          bool animated = false);

  std::shared_ptr<ViewController> topViewController() const;
  const std::vector<std::shared_ptr<ViewController>>& viewControllers() const { return stack_; }
  bool contains(const ViewController& screen) const;

  // The title of the back button the top screen shows (empty when it shows none): the
  // previous screen's back item title, else its title, else "Back".
  std::string backButtonTitle() const;

  bool navigationBarHidden = false;
  // Tint of the bar; none when not set.
  bool hasTintColor = false;
  Color tintColor;
  void setTintColor(Color color) {
    tintColor = color;
    hasTintColor = true;
  }

 protected:
  ViewController* visibleChild() const override;

 private:
  void replaceTop(const std::shared_ptr<ViewController>& oldTop, bool animated);
  std::vector<std::shared_ptr<ViewController>> stack_;
};

}  // namespace kelda::ui

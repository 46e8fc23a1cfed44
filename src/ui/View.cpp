#include "ui/View.hpp"

#include <algorithm>

namespace kelda::ui {

View::~View() {
  for (auto& child : subviews_) child->superview_ = nullptr;
}

void View::addSubview(std::shared_ptr<View> view) {
  insertSubview(std::move(view), subviews_.size());
}

void View::insertSubview(std::shared_ptr<View> view, std::size_t index) {
  if (!view || view.get() == this) return;
  auto keep = view;  // the old superview may hold the last reference
  if (view->superview_ != nullptr) view->superview_->detachChild(view.get());
  view->superview_ = this;
  index = std::min(index, subviews_.size());
  subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), std::move(keep));
}

void View::removeFromSuperview() {
  if (superview_ != nullptr) superview_->detachChild(this);
}

void View::bringSubviewToFront(const std::shared_ptr<View>& view) {
  if (view && view->superview_ == this) addSubview(view);
}

void View::removeAllSubviews() {
  auto old = std::move(subviews_);
  subviews_.clear();
  for (auto& child : old) child->superview_ = nullptr;
}

View* View::viewWithTag(int wanted) {
  if (tag == wanted) return this;
  for (auto& child : subviews_) {
    if (View* found = child->viewWithTag(wanted)) return found;
  }
  return nullptr;
}

bool View::isVisibleInTree() const {
  for (const View* v = this; v != nullptr; v = v->superview_) {
    if (v->hidden) return false;
  }
  return true;
}

void View::detachChild(View* child) {
  auto it = std::find_if(subviews_.begin(), subviews_.end(),
                         [child](const auto& v) { return v.get() == child; });
  if (it == subviews_.end()) return;
  auto keep = std::move(*it);  // released after the back pointer is cleared
  subviews_.erase(it);
  keep->superview_ = nullptr;
}

}  // namespace kelda::ui

// View: the base of every element on screen. A view has a frame, visibility, opacity, a
// background colour, a numeric tag, an optional identifier and an ordered list of subviews.
//
// Views are shared (std::shared_ptr) between the view tree and the controllers that keep
// references to the elements they fill; a view's superview is a plain back pointer that the
// superview clears when it lets the view go. Main thread only.
//
// The headless screen tree renders a view by its kind(); composite screens are built from the
// standard elements, so every front end can draw every screen.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/Geometry.hpp"

namespace kelda::ui {

enum class ViewKind {
  Container,  // plain view: only its subviews are shown
  Label,
  Button,
  Image,
  Rating,
  TextField,
  SearchBar,
  Switch,
  CheckBox,
  RadioButton,
  ActivityIndicator,
  Table,
  Cell,
  Picker,
  DatePicker,
  Paged,
  Web,
  Map,
  Banner,
};

class View : public std::enable_shared_from_this<View> {
 public:
  View() = default;
  explicit View(Rect frame) : frame(frame) {}
  virtual ~View();
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  virtual ViewKind kind() const { return ViewKind::Container; }

  Rect frame = screenBounds();
  bool hidden = false;
  double alpha = 1;
  Color backgroundColor = Color::clear();
  int tag = 0;
  // Stable name for the screen tree ("email" gives the id "field.email" to a text field).
  std::string identifier;
  bool userInteractionEnabled = true;
  // A view that takes every touch while shown (the busy overlay): nothing under it and nothing
  // else on screen can be acted on, alerts excepted.
  bool takesAllTouches = false;

  // Appends `view` on top of the other subviews (moving it from its old superview).
  void addSubview(std::shared_ptr<View> view);
  // Inserts at `index` (clamped to the end).
  void insertSubview(std::shared_ptr<View> view, std::size_t index);
  // Removes this view from its superview; nothing when it has none.
  void removeFromSuperview();
  void bringSubviewToFront(const std::shared_ptr<View>& view);
  void removeAllSubviews();

  // Creates a T from `args`, adds it on top and returns it.
  template <class T, class... Args>
  std::shared_ptr<T> add(Args&&... args) {
    auto view = std::make_shared<T>(std::forward<Args>(args)...);
    addSubview(view);
    return view;
  }

  const std::vector<std::shared_ptr<View>>& subviews() const { return subviews_; }
  View* superview() const { return superview_; }
  // First view with `tag` in this view's tree (this view included), depth first; null if none.
  View* viewWithTag(int tag);
  // True when neither this view nor any of its superviews is hidden.
  bool isVisibleInTree() const;

 private:
  void detachChild(View* child);
  std::vector<std::shared_ptr<View>> subviews_;
  View* superview_ = nullptr;
};

}  // namespace kelda::ui

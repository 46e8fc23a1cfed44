#include "ui/ScreenTreeBuilder.hpp"

#include <cstdio>
#include <optional>
#include <utility>

#include "ui/ActivityIndicatorView.hpp"
#include "ui/BusyOverlay.hpp"
#include "ui/Button.hpp"
#include "ui/CheckBox.hpp"
#include "ui/DatePicker.hpp"
#include "ui/DropInBanner.hpp"
#include "ui/ImageView.hpp"
#include "ui/Label.hpp"
#include "ui/MapView.hpp"
#include "ui/NavigationController.hpp"
#include "ui/NetworkActivityIndicator.hpp"
#include "ui/PagedView.hpp"
#include "ui/PickerView.hpp"
#include "ui/RadioButton.hpp"
#include "ui/RatingView.hpp"
#include "ui/SearchBar.hpp"
#include "ui/Switch.hpp"
#include "ui/TabBarController.hpp"
#include "ui/TableView.hpp"
#include "ui/TextField.hpp"
#include "ui/WebView.hpp"
#include "ui/Window.hpp"

namespace kelda::ui {

using json::Value;

namespace {

std::string colorHex(Color c) {
  auto channel = [](double v) { return static_cast<int>(v * 255 + 0.5); };
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", channel(c.red) & 0xff, channel(c.green) & 0xff,
                channel(c.blue) & 0xff);
  return text;
}

const char* styleName(TextStyle style) {
  switch (style) {
    case TextStyle::Normal:
      return "normal";
    case TextStyle::Bold:
      return "bold";
    case TextStyle::Title:
      return "title";
    case TextStyle::Small:
      return "small";
    case TextStyle::Italic:
      return "italic";
    case TextStyle::Strikethrough:
      return "strikethrough";
  }
  return "normal";
}

const char* keyboardName(KeyboardType type) {
  switch (type) {
    case KeyboardType::Default:
      return "default";
    case KeyboardType::Email:
      return "email";
    case KeyboardType::NumberPad:
      return "numberPad";
    case KeyboardType::PhonePad:
      return "phonePad";
    case KeyboardType::Url:
      return "url";
    case KeyboardType::NumbersAndPunctuation:
      return "numbersAndPunctuation";
  }
  return "default";
}

const char* returnKeyName(ReturnKeyType type) {
  switch (type) {
    case ReturnKeyType::Default:
      return "Return";
    case ReturnKeyType::Next:
      return "Next";
    case ReturnKeyType::Done:
      return "Done";
    case ReturnKeyType::Go:
      return "Go";
    case ReturnKeyType::Search:
      return "Search";
    case ReturnKeyType::Join:
      return "Join";
    case ReturnKeyType::Send:
      return "Send";
  }
  return "Return";
}

const char* accessoryName(CellAccessory accessory) {
  switch (accessory) {
    case CellAccessory::None:
      return "";
    case CellAccessory::DisclosureIndicator:
      return "disclosure";
    case CellAccessory::DetailDisclosureButton:
      return "detail";
    case CellAccessory::Checkmark:
      return "checkmark";
  }
  return "";
}

// What a person sees of a secure field: one bullet per character.
std::string masked(const std::string& text) {
  std::string bullets;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) bullets += "\u2022";
  }
  return bullets;
}

bool shown(const View& view) {
  return !view.hidden && view.alpha > 0;
}

}  // namespace

void ScreenTreeBuilder::build() {
  Members root{{"kind", "window"}};
  root.emplace_back("networkActivity", NetworkActivityIndicator::shared().isVisible());
  ViewController* front = window_.frontController();
  if (auto* tabs = dynamic_cast<TabBarController*>(front)) root.emplace_back("tabs", tabBar(*tabs));
  if (ViewController* top = window_.topViewController()) {
    if (NavigationController* nav = top->navigationController();
        nav != nullptr && !nav->navigationBarHidden) {
      root.emplace_back("navigationBar", navigationBar(*nav, *top));
    }
    root.emplace_back("screen", screen(*top));
  }
  Scope windowScope;
  windowScope.prefix = "window.";
  Nodes views;
  elements(window_.contentView(), windowScope, views);
  if (!views.empty()) root.emplace_back("views", Value::array(std::move(views)));
  if (auto banner = window_.banner()) {
    root.emplace_back(
        "banner",
        Value::object({{"text", banner->text},
                       {"state", banner->state == BannerState::Shown ? "shown" : "droppingIn"}}));
  }
  if (tree_.touchesBlocked_) root.emplace_back("overlay", Value::object({{"busy", true}}));
  if (Value k = keyboard(); !k.isAbsent()) root.emplace_back("keyboard", k);
  if (Value p = presentedPicker(); !p.isAbsent()) root.emplace_back("picker", p);
  if (Value a = alert(); !a.isAbsent()) root.emplace_back("alert", a);
  tree_.json_ = Value::object(std::move(root));
  for (auto* list :
       {&alertTargets_, &pickerTargets_, &navTargets_, &screenTargets_, &tabTargets_}) {
    for (auto& t : *list) tree_.targets_.push_back(std::move(t));
  }
}

json::Value ScreenTreeBuilder::tabBar(TabBarController& tabs) {
  Nodes items;
  for (int i = 0; i < static_cast<int>(tabs.viewControllers().size()); ++i) {
    const TabBarItem& item = tabs.itemAt(i);
    std::string id = "tab." + std::to_string(i);
    items.push_back(Value::object({{"id", id},
                                   {"title", item.title},
                                   {"image", item.imageName},
                                   {"badge", item.badgeValue},
                                   {"selected", i == tabs.selectedIndex()}}));
    tabTargets_.push_back(Target{
        id, TargetKind::Tab, {item.title}, true, [&tabs, i] { return tabs.tapTab(i); }, nullptr});
  }
  return Value::array(std::move(items));
}

json::Value ScreenTreeBuilder::navigationBar(NavigationController& nav, ViewController& top) {
  const NavigationItem& item = top.navigationItem();
  Members bar{{"title", item.title.empty() ? top.title() : item.title}};
  if (!item.titleImageName.empty()) bar.emplace_back("titleImage", item.titleImageName);
  if (nav.hasTintColor) bar.emplace_back("tint", colorHex(nav.tintColor));
  auto barButton = [&](const std::shared_ptr<BarButtonItem>& button, const char* id) {
    navTargets_.push_back(Target{id,
                                 TargetKind::BarButton,
                                 {button->title},
                                 button->enabled,
                                 [button] { return button->sendAction(); },
                                 nullptr});
    return Value::object({{"id", id},
                          {"title", button->title},
                          {"image", button->imageName},
                          {"enabled", button->enabled}});
  };
  if (item.leftBarButtonItem) {
    bar.emplace_back("left", barButton(item.leftBarButtonItem, "nav.left"));
  } else if (std::string back = nav.backButtonTitle(); !back.empty()) {
    bar.emplace_back("back", Value::object({{"id", "nav.back"}, {"title", back}}));
    navTargets_.push_back(Target{"nav.back",
                                 TargetKind::BackButton,
                                 {back},
                                 true,
                                 [&nav] { return nav.popViewControllerAnimated(true) != nullptr; },
                                 nullptr});
  }
  if (item.rightBarButtonItem) {
    bar.emplace_back("right", barButton(item.rightBarButtonItem, "nav.right"));
  }
  return Value::object(std::move(bar));
}

json::Value ScreenTreeBuilder::screen(ViewController& top) {
  const std::string& title =
      top.navigationItem().title.empty() ? top.title() : top.navigationItem().title;
  auto view = top.view();
  Scope scope;
  scope.interactive = view->userInteractionEnabled;
  if (!view->userInteractionEnabled) tree_.touchesBlocked_ = true;
  Nodes children;
  if (shown(*view)) elements(*view, scope, children);
  // Views a screen put over its container (e.g. an overlay added to the tab bar's view).
  for (ViewController* p = top.parentViewController(); p != nullptr;
       p = p->parentViewController()) {
    if (p->isViewLoaded()) elements(*p->view(), scope, children);
  }
  return Value::object({{"title", title}, {"children", Value::array(std::move(children))}});
}

json::Value ScreenTreeBuilder::alert() {
  const auto& alerts = window_.alerts();
  if (alerts.empty()) return {};
  tree_.alertShown_ = true;
  const AlertView& shownAlert = alerts.back();
  Nodes buttons;
  for (int i = 0; i < static_cast<int>(shownAlert.buttons.size()); ++i) {
    std::string id = "alert.button." + std::to_string(i);
    const std::string& title = shownAlert.buttons[static_cast<std::size_t>(i)];
    buttons.push_back(Value::object({{"id", id}, {"title", title}}));
    Window* window = &window_;
    alertTargets_.push_back(Target{id,
                                   TargetKind::AlertButton,
                                   {title},
                                   true,
                                   [window, i] { return window->clickAlertButton(i); },
                                   nullptr});
  }
  return Value::object({{"title", shownAlert.title},
                        {"message", shownAlert.message},
                        {"buttons", Value::array(std::move(buttons))},
                        {"behind", static_cast<int>(alerts.size()) - 1}});
}

json::Value ScreenTreeBuilder::presentedPicker() {
  auto view = window_.presentedPicker();
  if (!view) return {};
  auto* wheels = dynamic_cast<PickerView*>(view.get());
  auto* date = dynamic_cast<DatePicker*>(view.get());
  if (wheels == nullptr && date == nullptr) {
    // Some other view slid up in the window: shown with its own elements.
    Scope scope;
    scope.prefix = "picker.";
    Nodes children;
    elements(*view, scope, children);
    return Value::object({{"kind", "group"}, {"children", Value::array(std::move(children))}});
  }
  Value node = wheels != nullptr ? picker(*view, "picker") : datePicker(*view, "picker");
  TargetKind kind = wheels != nullptr ? TargetKind::Picker : TargetKind::DatePicker;
  auto done = [view, wheels, date] { return wheels ? wheels->pressDone() : date->pressDone(); };
  auto cancel = [view, wheels, date] {
    return wheels ? wheels->pressCancel() : date->pressCancel();
  };
  pickerTargets_.push_back(Target{"picker", kind, {}, true, {}, view});
  pickerTargets_.push_back(
      Target{"picker.done", TargetKind::PickerDone, {"Done"}, true, done, view});
  pickerTargets_.push_back(
      Target{"picker.cancel", TargetKind::PickerCancel, {"Cancel"}, true, cancel, view});
  return node.with("done", "picker.done").with("cancel", "picker.cancel");
}

json::Value ScreenTreeBuilder::keyboard() {
  auto responder = window_.firstResponder();
  if (!responder || firstResponderId_.empty()) return {};
  const char* key = "Search";
  if (auto* textField = dynamic_cast<TextField*>(responder.get())) {
    key = returnKeyName(textField->returnKeyType);
  }
  return Value::object({{"field", firstResponderId_}, {"returnKey", key}});
}

void ScreenTreeBuilder::elements(View& view, Scope& scope, Nodes& out) {
  for (const auto& child : view.subviews()) {
    if (!shown(*child)) continue;
    if (child->takesAllTouches) {
      out.push_back(overlay(*child, scope));
      continue;
    }
    bool wasInteractive = scope.interactive;
    scope.interactive = wasInteractive && child->userInteractionEnabled;
    if (child->kind() == ViewKind::Container) {
      elements(*child, scope, out);
    } else if (Value node = element(*child, scope); !node.isAbsent()) {
      out.push_back(node);
    }
    scope.interactive = wasInteractive;
  }
}

json::Value ScreenTreeBuilder::overlay(View& view, Scope&) {
  tree_.touchesBlocked_ = true;
  bool busy = isBusyOverlay(view);
  return Value::object({{"kind", "overlay"}, {"busy", busy}});
}

json::Value ScreenTreeBuilder::element(View& view, Scope& scope) {
  switch (view.kind()) {
    case ViewKind::Label: {
      const auto& label = static_cast<const Label&>(view);
      if (label.text.empty()) return {};
      scope.lastLabel = label.text;
      return Value::object({{"kind", "label"},
                            {"text", label.text},
                            {"style", styleName(label.style)},
                            {"color", colorHex(label.textColor)}});
    }
    case ViewKind::Image: {
      const auto& image = static_cast<const ImageView&>(view);
      if (!image.hasImage()) return {};
      Members node{
          {"kind", "image"},
          {"image", image.imageName},
          {"bytes", image.imageData ? static_cast<long long>(image.imageData->size()) : 0LL}};
      if (auto data = imageData(image)) node.emplace_back("data", *data);
      return Value::object(std::move(node));
    }
    case ViewKind::Rating: {
      const auto& rating = static_cast<const RatingView&>(view);
      return Value::object(
          {{"kind", "rating"}, {"rating", rating.rating}, {"maximum", rating.maximum}});
    }
    case ViewKind::ActivityIndicator: {
      const auto& spinner = static_cast<const ActivityIndicatorView&>(view);
      if (!spinner.animating && spinner.hidesWhenStopped) return {};
      return Value::object({{"kind", "spinner"}, {"animating", spinner.animating}});
    }
    case ViewKind::Button:
      return button(view, scope);
    case ViewKind::TextField:
      return field(view, scope);
    case ViewKind::SearchBar:
      return searchBar(view, scope);
    case ViewKind::Switch:
    case ViewKind::CheckBox:
    case ViewKind::RadioButton:
      return toggle(view, scope);
    case ViewKind::Picker: {
      std::string id = nextId(scope, "picker", view);
      addTarget(Target{id, TargetKind::Picker, {}, true, {}, view.shared_from_this()},
                scope.interactive);
      return picker(view, id);
    }
    case ViewKind::DatePicker: {
      std::string id = nextId(scope, "date", view);
      addTarget(Target{id, TargetKind::DatePicker, {}, true, {}, view.shared_from_this()},
                scope.interactive);
      return datePicker(view, id);
    }
    case ViewKind::Paged:
      return paged(view, scope);
    case ViewKind::Web: {
      const auto& web = static_cast<const WebView&>(view);
      return Value::object({{"kind", "web"},
                            {"url", web.url()},
                            {"loading", web.isLoading()},
                            {"error", web.lastError()}});
    }
    case ViewKind::Map:
      return map(view, scope);
    case ViewKind::Table:
      return table(static_cast<TableView&>(view), scope);
    case ViewKind::Cell:
    case ViewKind::Container:
    case ViewKind::Banner: {
      Nodes children;
      elements(view, scope, children);
      if (children.empty()) return {};
      return Value::object({{"kind", "group"}, {"children", Value::array(std::move(children))}});
    }
  }
  return {};
}

std::optional<long long> ScreenTreeBuilder::imageData(const ImageView& image) {
  if (!image.imageData || image.imageData->empty()) return std::nullopt;
  tree_.images_.push_back(image.imageData);
  return static_cast<long long>(tree_.images_.size() - 1);
}

std::string ScreenTreeBuilder::nextId(Scope& scope, const std::string& kind, const View& view) {
  int number = scope.counters[kind]++;
  // An identifier names the element wherever it is (a form's rows are table rows).
  if (!view.identifier.empty()) return kind + "." + view.identifier;
  return scope.prefix + kind + "." + std::to_string(number);
}

void ScreenTreeBuilder::addTarget(Target target, bool interactive) {
  if (!interactive) target.enabled = false;
  screenTargets_.push_back(std::move(target));
}

json::Value ScreenTreeBuilder::button(View& view, Scope& scope) {
  auto& b = static_cast<Button&>(view);
  std::string id = nextId(scope, "button", view);
  auto self = std::static_pointer_cast<Button>(b.shared_from_this());
  addTarget(Target{id,
                   TargetKind::Button,
                   {b.title},
                   b.enabled,
                   [self] { return self->sendAction(); },
                   self},
            scope.interactive);
  return Value::object({{"kind", "button"},
                        {"id", id},
                        {"title", b.title},
                        {"image", b.imageName},
                        {"enabled", b.enabled},
                        {"dimmed", b.dimmed},
                        {"selected", b.selected}});
}

json::Value ScreenTreeBuilder::field(View& view, Scope& scope) {
  auto& f = static_cast<TextField&>(view);
  std::string id = nextId(scope, "field", view);
  std::string label = f.label.empty() ? scope.lastLabel : f.label;
  auto self = std::static_pointer_cast<TextField>(f.shared_from_this());
  std::vector<std::string> names{label};
  if (!f.placeholder.empty()) names.push_back(f.placeholder);
  addTarget(Target{id, TargetKind::Field, names, f.enabled,
                   [self] { return self->becomeFirstResponder(); }, self},
            scope.interactive);
  if (f.isFirstResponder()) firstResponderId_ = id;
  return Value::object({{"kind", "field"},
                        {"id", id},
                        {"label", label},
                        {"text", f.secureTextEntry ? masked(f.text) : f.text},
                        {"placeholder", f.placeholder},
                        {"secure", f.secureTextEntry},
                        {"keyboard", keyboardName(f.keyboardType)},
                        {"returnKey", returnKeyName(f.returnKeyType)},
                        {"editing", f.isFirstResponder()},
                        {"enabled", f.enabled}});
}

json::Value ScreenTreeBuilder::searchBar(View& view, Scope& scope) {
  auto& bar = static_cast<SearchBar&>(view);
  int number = scope.counters["search"]++;
  std::string id = scope.prefix + "search";
  if (!view.identifier.empty()) {
    id = "search." + view.identifier;
  } else if (number > 0) {
    id += "." + std::to_string(number);
  }
  auto self = std::static_pointer_cast<SearchBar>(bar.shared_from_this());
  std::vector<std::string> names;
  if (!bar.placeholder.empty()) names.push_back(bar.placeholder);
  addTarget(Target{id, TargetKind::SearchBar, names, true,
                   [self] { return self->becomeFirstResponder(); }, self},
            scope.interactive);
  if (bar.isFirstResponder()) firstResponderId_ = id;
  Members node{{"kind", "search"},
               {"id", id},
               {"text", bar.text},
               {"placeholder", bar.placeholder},
               {"editing", bar.isFirstResponder()}};
  if (bar.showsCancelButton) {
    std::string cancelId = id + ".cancel";
    node.emplace_back("cancel", cancelId);
    addTarget(Target{cancelId,
                     TargetKind::SearchCancel,
                     {"Cancel"},
                     true,
                     [self] { return self->pressCancel(); },
                     self},
              scope.interactive);
  }
  return Value::object(std::move(node));
}

json::Value ScreenTreeBuilder::toggle(View& view, Scope& scope) {
  auto self = view.shared_from_this();
  if (auto* s = dynamic_cast<Switch*>(&view)) {
    std::string id = nextId(scope, "switch", view);
    addTarget(Target{id,
                     TargetKind::Switch,
                     {scope.lastLabel},
                     s->enabled,
                     [s, self] { return s->toggle(); },
                     self},
              scope.interactive);
    return Value::object({{"kind", "switch"}, {"id", id}, {"on", s->on}, {"enabled", s->enabled}});
  }
  if (auto* c = dynamic_cast<CheckBox*>(&view)) {
    std::string id = nextId(scope, "check", view);
    addTarget(Target{id,
                     TargetKind::CheckBox,
                     {c->title},
                     c->enabled,
                     [c, self] { return c->toggle(); },
                     self},
              scope.interactive);
    return Value::object({{"kind", "check"},
                          {"id", id},
                          {"title", c->title},
                          {"checked", c->checked},
                          {"enabled", c->enabled}});
  }
  auto& r = static_cast<RadioButton&>(view);
  std::string id = nextId(scope, "radio", view);
  addTarget(
      Target{id, TargetKind::Radio, {r.title}, r.enabled, [&r, self] { return r.choose(); }, self},
      scope.interactive);
  return Value::object({{"kind", "radio"},
                        {"id", id},
                        {"title", r.title},
                        {"selected", r.selected},
                        {"enabled", r.enabled}});
}

json::Value ScreenTreeBuilder::picker(View& view, const std::string& id) {
  auto& p = static_cast<PickerView&>(view);
  Nodes components;
  for (int c = 0; c < p.numberOfComponents(); ++c) {
    Nodes rows;
    for (const auto& title : p.components()[static_cast<std::size_t>(c)]) rows.push_back(title);
    components.push_back(Value::object(
        {{"rows", Value::array(std::move(rows))}, {"selected", p.selectedRowInComponent(c)}}));
  }
  return Value::object(
      {{"kind", "picker"}, {"id", id}, {"components", Value::array(std::move(components))}});
}

json::Value ScreenTreeBuilder::datePicker(View& view, const std::string& id) {
  auto& d = static_cast<DatePicker&>(view);
  Members node{{"kind", "datePicker"}, {"id", id}, {"date", DatePicker::format(d.date(), d.mode)}};
  if (d.minimumDate) node.emplace_back("minimum", DatePicker::format(*d.minimumDate, d.mode));
  if (d.maximumDate) node.emplace_back("maximum", DatePicker::format(*d.maximumDate, d.mode));
  return Value::object(std::move(node));
}

json::Value ScreenTreeBuilder::paged(View& view, Scope& scope) {
  auto& p = static_cast<PagedView&>(view);
  std::string id = nextId(scope, "pages", view);
  addTarget(Target{id, TargetKind::Paged, {}, true, {}, p.shared_from_this()}, scope.interactive);
  Nodes children;
  if (auto page = p.page(p.currentPage()); page && shown(*page)) {
    if (page->kind() == ViewKind::Container) {
      elements(*page, scope, children);
    } else if (Value node = element(*page, scope); !node.isAbsent()) {
      children.push_back(node);
    }
  }
  return Value::object({{"kind", "pages"},
                        {"id", id},
                        {"page", p.currentPage()},
                        {"pages", p.numberOfPages()},
                        {"indicator", p.showsPageIndicator},
                        {"children", Value::array(std::move(children))}});
}

json::Value ScreenTreeBuilder::map(View& view, Scope& scope) {
  auto& m = static_cast<MapView&>(view);
  auto self = m.shared_from_this();
  Nodes pins;
  for (int i = 0; i < static_cast<int>(m.pins().size()); ++i) {
    const MapPin& pin = m.pins()[static_cast<std::size_t>(i)];
    std::string id = scope.prefix + "pin." + std::to_string(scope.counters["pin"]++);
    addTarget(
        Target{
            id, TargetKind::Pin, {pin.title}, true, [&m, i, self] { return m.selectPin(i); }, self},
        scope.interactive);
    pins.push_back(Value::object({{"id", id},
                                  {"title", pin.title},
                                  {"subtitle", pin.subtitle},
                                  {"latitude", pin.coordinate.latitude},
                                  {"longitude", pin.coordinate.longitude},
                                  {"selected", m.selectedPin() == i}}));
  }
  return Value::object({{"kind", "map"},
                        {"latitude", m.centre.latitude},
                        {"longitude", m.centre.longitude},
                        {"latitudeDelta", m.span.latitudeDelta},
                        {"longitudeDelta", m.span.longitudeDelta},
                        {"pins", Value::array(std::move(pins))}});
}

json::Value ScreenTreeBuilder::sectionPart(std::shared_ptr<View> view, const std::string& prefix,
                                           Scope& scope) {
  Scope part;
  part.prefix = prefix;
  part.interactive = scope.interactive;
  Nodes children;
  if (view && shown(*view)) {
    if (view->kind() == ViewKind::Container) {
      elements(*view, part, children);
    } else if (Value node = element(*view, part); !node.isAbsent()) {
      children.push_back(node);
    }
  }
  return Value::array(std::move(children));
}

json::Value ScreenTreeBuilder::table(TableView& t, Scope& scope) {
  std::string prefix = scope.prefix + (tables_ == 0 ? "" : "table" + std::to_string(tables_) + ".");
  ++tables_;
  auto keep = t.shared_from_this();
  Members node{{"kind", "table"}, {"editing", t.isEditing()}};
  if (t.tableHeaderView) {
    node.emplace_back("header", sectionPart(t.tableHeaderView, prefix + "table.header.", scope));
  }
  Nodes sections;
  for (int s = 0; s < t.numberOfSections(); ++s) {
    std::string n = std::to_string(s);
    Members section{{"index", s}, {"title", t.headerTitle(s)}};
    section.emplace_back("header",
                         sectionPart(t.headerView(s), prefix + "header." + n + ".", scope));
    Nodes rows;
    for (int r = 0; r < t.numberOfRowsInSection(s); ++r) {
      auto cell = t.cellForRowAtIndexPath(IndexPath{s, r});
      Scope rowScope;
      rowScope.prefix = prefix + "row." + n + "." + std::to_string(r);
      rowScope.interactive = scope.interactive;
      rows.push_back(row(t, cell.get(), IndexPath{s, r}, rowScope));
    }
    section.emplace_back("rows", Value::array(std::move(rows)));
    section.emplace_back("footerTitle", t.footerTitle(s));
    section.emplace_back("footer",
                         sectionPart(t.footerView(s), prefix + "footer." + n + ".", scope));
    sections.push_back(Value::object(std::move(section)));
  }
  node.emplace_back("sections", Value::array(std::move(sections)));
  if (t.tableFooterView) {
    node.emplace_back("footer", sectionPart(t.tableFooterView, prefix + "table.footer.", scope));
  }
  return Value::object(std::move(node));
}

json::Value ScreenTreeBuilder::row(TableView& t, TableViewCell* cell, IndexPath path,
                                   Scope& scope) {
  std::string id = scope.prefix;
  auto keep = t.shared_from_this();
  TableView* table = &t;
  std::string text = cell ? cell->visibleText() : std::string();
  bool interactive = scope.interactive && (cell == nullptr || cell->userInteractionEnabled);
  addTarget(Target{id,
                   TargetKind::Row,
                   {text},
                   true,
                   [table, path, keep] { return table->tapRowAtIndexPath(path); },
                   nullptr},
            interactive);
  Members node{{"kind", "row"}, {"id", id}};
  node.emplace_back("selected", t.indexPathForSelectedRow() == path);
  if (t.editingStyleForRow(path) == EditingStyle::Delete) {
    node.emplace_back("delete", id + ".delete");
    addTarget(Target{id + ".delete",
                     TargetKind::RowDelete,
                     {"Delete"},
                     true,
                     [table, path, keep] { return table->commitDelete(path); },
                     nullptr},
              interactive);
  }
  if (cell == nullptr) return Value::object(std::move(node));
  node.emplace_back("text", cell->textLabel().text);
  node.emplace_back("detail", cell->detailTextLabel().text);
  node.emplace_back("image", cell->imageView().imageName);
  if (auto data = imageData(cell->imageView())) node.emplace_back("imageData", *data);
  node.emplace_back("accessory", accessoryName(cell->accessoryType));
  node.emplace_back("busy", cell->showsActivity);
  if (cell->accessoryType == CellAccessory::DetailDisclosureButton) {
    addTarget(Target{id + ".accessory",
                     TargetKind::RowAccessory,
                     {},
                     true,
                     [table, path, keep] {
                       if (table->delegate == nullptr) return false;
                       table->delegate->accessoryButtonTappedForRowWithIndexPath(*table, path);
                       return true;
                     },
                     nullptr},
              interactive);
  }
  scope.prefix = id + ".";
  scope.lastLabel = cell->textLabel().text;
  scope.interactive = interactive;
  Nodes children;
  elements(*cell, scope, children);
  node.emplace_back("children", Value::array(std::move(children)));
  return Value::object(std::move(node));
}

}  // namespace kelda::ui

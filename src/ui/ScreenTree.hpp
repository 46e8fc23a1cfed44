// ScreenTree: one rendering of everything the window shows (tab bar with badges and the
// selected tab, the navigation bar, the top screen's elements and table rows, views over the
// screen, the busy overlay, the banner, the keyboard, the presented picker and the alert), as a
// JSON tree for tests and graphical front ends and as text for the terminal.
//
// Every element a person can act on has a stable id: "tab.2", "nav.left", "nav.back",
// "nav.right", "button.0", "field.email" (a field with an identifier) or "field.0", "search",
// "search.cancel", "switch.0", "check.0", "radio.0", "picker.0", "date.0", "pages.0", "pin.0",
// "row.1.3", "row.1.3.button.0", "row.1.3.delete", "row.1.3.accessory", "header.1.button.0",
// "footer.1.button.0", "table.header.button.0", "table.footer.button.0", "alert.button.0",
// "picker" (the presented picker), "picker.done", "picker.cancel". Elements of a second table
// take the prefix "table1.". An element with an identifier is named by it alone, wherever it is
// ("field.email" for a field in a table row).
//
// The JSON tree: {"kind":"window", "networkActivity", "tabs":[{id,title,image,badge,selected}],
// "navigationBar":{title,titleImage,tint,back:{id,title},left/right:{id,title,image,enabled}},
// "screen":{title,children:[node]}, "views":[node] (views over the window), "banner":{text,state},
// "overlay":{busy}, "keyboard":{field,returnKey}, "picker":node+{done,cancel},
// "alert":{title,message,buttons:[{id,title}],behind}}. A node has a "kind": label {text,style,
// color}, image {image,bytes,data (the index of its bytes in imageData(), when downloaded)}, rating
// {rating,maximum}, spinner, button {id,title,image,enabled, dimmed,selected}, field {id,label,text
// (bullets when secure),placeholder,secure,keyboard, returnKey,editing,enabled}, search
// {id,text,placeholder,editing,cancel}, switch {id,on}, check {id,title,checked}, radio
// {id,title,selected}, picker {id,components:[{rows,selected}]}, datePicker
// {id,date,minimum,maximum}, pages {id,page,pages,indicator,children}, web {url, loading,error},
// map {latitude,longitude,latitudeDelta,longitudeDelta,pins:[{id,title,subtitle,
// latitude,longitude,selected}]}, table {editing,header,sections:[{index,title,header,rows,
// footerTitle,footer}],footer}, row {id,selected,delete,text,detail,image,imageData (as an image's
// data), accessory,busy,children}, overlay {busy}, group {children}. Hidden views are left out.
//
// A capture keeps the elements it found alive until it is dropped; capture again after any
// change. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "json/Value.hpp"
#include "ui/View.hpp"

namespace kelda::ui {

class Window;

enum class TargetKind {
  Tab,
  BarButton,
  BackButton,
  Button,
  Row,
  RowDelete,
  RowAccessory,
  Field,
  SearchBar,
  SearchCancel,
  Switch,
  CheckBox,
  Radio,
  Picker,
  DatePicker,
  Paged,
  Pin,
  AlertButton,
  PickerDone,
  PickerCancel,
};

// One element a person can act on.
struct Target {
  std::string id;
  TargetKind kind = TargetKind::Button;
  // Texts that name the element: its visible text, a field's label and placeholder.
  std::vector<std::string> names;
  bool enabled = true;
  // What a tap does; returns false when the element refused it.
  std::function<bool()> tap;
  // The element itself (fields, search bars, pickers, paged views), else null.
  std::shared_ptr<View> view;
};

class ScreenTree {
 public:
  static ScreenTree capture(Window& window);

  const json::Value& json() const { return json_; }
  // The terminal rendering of json().
  std::string text() const;

  // Targets in the order a person's text is matched: alert buttons, picker toolbar, navigation
  // bar, screen elements top to bottom, tabs.
  const std::vector<Target>& targets() const { return targets_; }
  // A busy overlay (or a screen that accepts no touches) takes every touch but alerts'.
  bool touchesBlocked() const { return touchesBlocked_; }
  bool alertShown() const { return alertShown_; }
  // The downloaded pictures shown, numbered by the "data" of image nodes (and "imageData" of
  // rows), so that a graphical front end can draw them. The bytes are immutable: any thread
  // may read them.
  const std::vector<std::shared_ptr<const std::string>>& imageData() const { return images_; }
  // The target whose id equals `idOrText`, else the first whose name equals it ignoring case;
  // only targets accepted by `filter` (when given) are considered. Null when none.
  const Target* find(std::string_view idOrText,
                     const std::function<bool(const Target&)>& filter = {}) const;

 private:
  friend class ScreenTreeBuilder;
  json::Value json_;
  std::vector<Target> targets_;
  bool touchesBlocked_ = false;
  bool alertShown_ = false;
  std::vector<std::shared_ptr<const std::string>> images_;
};

// Renders a screen tree's JSON as the terminal text (used by ScreenTree::text).
std::string renderScreenText(const json::Value& tree);

}  // namespace kelda::ui

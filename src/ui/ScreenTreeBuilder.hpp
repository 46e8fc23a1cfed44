// ScreenTreeBuilder: walks the window once and fills a ScreenTree: the JSON nodes of everything
// shown and the targets a person can act on, with their stable ids. Used by
// ScreenTree::capture only. Main thread only.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "json/Value.hpp"
#include "ui/IndexPath.hpp"
#include "ui/ScreenTree.hpp"

namespace kelda::ui {

class ImageView;
class NavigationController;
class TabBarController;
class TableView;
class TableViewCell;
class ViewController;

class ScreenTreeBuilder {
 public:
  ScreenTreeBuilder(Window& window, ScreenTree& tree) : window_(window), tree_(tree) {}
  void build();

 private:
  // Where elements are numbered: ids are prefix + kind + "." + number (or identifier).
  struct Scope {
    std::string prefix;
    std::map<std::string, int> counters;
    std::string lastLabel;  // the nearest label before a field names it
    bool interactive = true;
  };
  using Members = std::vector<json::Member>;
  using Nodes = std::vector<json::Value>;

  json::Value tabBar(TabBarController& tabs);
  json::Value navigationBar(NavigationController& nav, ViewController& top);
  json::Value screen(ViewController& top);
  json::Value alert();
  json::Value presentedPicker();
  json::Value keyboard();

  void elements(View& view, Scope& scope, Nodes& out);
  json::Value element(View& view, Scope& scope);
  json::Value overlay(View& view, Scope& scope);
  json::Value button(View& view, Scope& scope);
  json::Value field(View& view, Scope& scope);
  json::Value searchBar(View& view, Scope& scope);
  json::Value toggle(View& view, Scope& scope);
  json::Value picker(View& view, const std::string& id);
  json::Value datePicker(View& view, const std::string& id);
  json::Value paged(View& view, Scope& scope);
  json::Value map(View& view, Scope& scope);
  json::Value table(TableView& table, Scope& scope);
  json::Value row(TableView& table, TableViewCell* cell, IndexPath path, Scope& scope);
  json::Value sectionPart(std::shared_ptr<View> view, const std::string& prefix, Scope& scope);

  // Keeps a downloaded picture's bytes in the tree; its number, or nothing without bytes.
  std::optional<long long> imageData(const ImageView& image);
  std::string nextId(Scope& scope, const std::string& kind, const View& view);
  void addTarget(Target target, bool interactive);

  Window& window_;
  ScreenTree& tree_;
  std::vector<Target> alertTargets_;
  std::vector<Target> pickerTargets_;
  std::vector<Target> navTargets_;
  std::vector<Target> screenTargets_;
  std::vector<Target> tabTargets_;
  std::string firstResponderId_;
  int tables_ = 0;
};

}  // namespace kelda::ui

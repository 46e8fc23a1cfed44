#include "ui/ScreenTree.hpp"

#include <algorithm>
#include <cctype>

#include "ui/ScreenTreeBuilder.hpp"

namespace kelda::ui {

namespace {
bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}
}  // namespace

ScreenTree ScreenTree::capture(Window& window) {
  ScreenTree tree;
  ScreenTreeBuilder(window, tree).build();
  return tree;
}

std::string ScreenTree::text() const {
  return renderScreenText(json_);
}

const Target* ScreenTree::find(std::string_view idOrText,
                               const std::function<bool(const Target&)>& filter) const {
  auto accepted = [&](const Target& t) { return !filter || filter(t); };
  for (const Target& t : targets_) {
    if (t.id == idOrText && accepted(t)) return &t;
  }
  if (idOrText.empty()) return nullptr;
  for (const Target& t : targets_) {
    if (!accepted(t)) continue;
    for (const std::string& name : t.names) {
      if (equalsIgnoringCase(name, idOrText)) return &t;
    }
  }
  return nullptr;
}

}  // namespace kelda::ui

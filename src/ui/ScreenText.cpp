// The terminal rendering of a screen tree: one line per element, ids first so that a person
// can type them, nested parts indented by two blanks.
#include <string>

#include "json/Value.hpp"
#include "ui/ScreenTree.hpp"

namespace kelda::ui {

namespace {

using json::Value;

class TextWriter {
 public:
  std::string result() && { return std::move(out_); }
  void window(const Value& tree);

 private:
  void line(int indent, const std::string& text) {
    out_.append(static_cast<std::size_t>(indent) * 2, ' ');
    out_ += text;
    out_ += '\n';
  }
  void tabs(const Value& tabs);
  void navigationBar(const Value& bar, const std::string& fallbackTitle);
  void children(const Value& nodes, int indent);
  void element(const Value& node, int indent);
  void labelText(const Value& node, int indent);
  void field(const Value& node, int indent);
  void picker(const Value& node, int indent);
  void table(const Value& node, int indent);
  void row(const Value& node, int indent);
  void alert(const Value& alert);

  std::string out_;
};

std::string flagged(std::string text, const Value& node) {
  if (node["enabled"].isBool() && !node["enabled"].boolValue()) text += " (disabled)";
  if (node["dimmed"].boolValue()) text += " (dimmed)";
  if (node["selected"].boolValue()) text += " (selected)";
  return text;
}

std::string boxed(const Value& node) {
  std::string title = node["title"].str();
  if (title.empty()) title = node["image"].str();
  return node["id"].str() + " [" + title + "]";
}

void TextWriter::window(const Value& tree) {
  if (tree["tabs"].isArray()) tabs(tree["tabs"]);
  if (tree["networkActivity"].boolValue()) line(0, "Network activity: on");
  const Value screen = tree["screen"];
  navigationBar(tree["navigationBar"], screen["title"].str());
  children(screen["children"], 1);
  children(tree["views"], 1);
  if (tree["banner"].isObject()) line(0, "Banner: " + tree["banner"]["text"].str());
  if (tree["overlay"].isObject()) line(0, "Busy: please wait (the screen takes no touches)");
  if (tree["keyboard"].isObject()) {
    line(0, "Keyboard: " + tree["keyboard"]["field"].str() + " (return key " +
                tree["keyboard"]["returnKey"].str() + ")");
  }
  if (tree["picker"].isObject()) {
    line(0, "Picker:");
    element(tree["picker"], 1);
    if (tree["picker"]["done"].isString()) line(1, "picker.done [Done]  picker.cancel [Cancel]");
  }
  if (tree["alert"].isObject()) alert(tree["alert"]);
}

void TextWriter::tabs(const Value& tabs) {
  std::string text = "Tabs:";
  bool first = true;
  for (Value tab : tabs.items()) {
    text += first ? " " : " | ";
    first = false;
    std::string title = tab["title"].str();
    if (!tab["badge"].str().empty()) title += " (" + tab["badge"].str() + ")";
    text += tab["id"].str() + " " + (tab["selected"].boolValue() ? "[" + title + "]" : title);
  }
  line(0, text);
}

void TextWriter::navigationBar(const Value& bar, const std::string& fallbackTitle) {
  std::string title = bar.isObject() ? bar["title"].str() : fallbackTitle;
  if (title.empty() && bar["titleImage"].isString()) title = "(" + bar["titleImage"].str() + ")";
  line(0, "== " + title + " ==");
  if (!bar.isObject()) return;
  std::string buttons;
  auto add = [&](const std::string& text) { buttons += (buttons.empty() ? "" : "  ") + text; };
  if (bar["back"].isObject()) add("nav.back < " + bar["back"]["title"].str());
  if (bar["left"].isObject()) add(flagged(boxed(bar["left"]), bar["left"]));
  if (bar["right"].isObject()) add(flagged(boxed(bar["right"]), bar["right"]));
  if (!buttons.empty()) line(0, buttons);
}

void TextWriter::children(const Value& nodes, int indent) {
  for (Value node : nodes.items()) element(node, indent);
}

void TextWriter::labelText(const Value& node, int indent) {
  std::string text = node["text"].str();
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find('\n', start);
    line(indent, text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

void TextWriter::element(const Value& node, int indent) {
  const std::string kind = node["kind"].str();
  if (kind == "label") {
    labelText(node, indent);
  } else if (kind == "image") {
    std::string name = node["image"].str();
    line(indent,
         name.empty() ? "(image " + node["bytes"].str() + " bytes)" : "(image " + name + ")");
  } else if (kind == "rating") {
    line(indent, "rating " + node["rating"].describe() + " of " + node["maximum"].describe());
  } else if (kind == "spinner") {
    line(indent, "(spinner)");
  } else if (kind == "button") {
    line(indent, flagged(boxed(node), node));
  } else if (kind == "field") {
    field(node, indent);
  } else if (kind == "search") {
    std::string text = node["id"].str() + " search: [" + node["text"].str() + "]";
    if (!node["placeholder"].str().empty()) text += " (" + node["placeholder"].str() + ")";
    if (node["editing"].boolValue()) text += " (editing)";
    if (node["cancel"].isString()) text += "  " + node["cancel"].str() + " [Cancel]";
    line(indent, text);
  } else if (kind == "switch") {
    line(indent, flagged(node["id"].str() + (node["on"].boolValue() ? " [on]" : " [off]"), node));
  } else if (kind == "check") {
    line(indent, flagged(node["id"].str() + (node["checked"].boolValue() ? " [x] " : " [ ] ") +
                             node["title"].str(),
                         node));
  } else if (kind == "radio") {
    std::string text =
        node["id"].str() + (node["selected"].boolValue() ? " (*) " : " ( ) ") + node["title"].str();
    line(indent, flagged(text, node.without("selected")));
  } else if (kind == "picker" || kind == "datePicker") {
    picker(node, indent);
  } else if (kind == "pages") {
    std::string text = node["id"].str() + " pages:";
    for (int i = 0; i < node["pages"].intValue(); ++i) {
      std::string n = std::to_string(i);
      text += " " + (i == node["page"].intValue() ? "[" + n + "]" : n);
    }
    line(indent, text);
    children(node["children"], indent + 1);
  } else if (kind == "web") {
    std::string text = "web: " + node["url"].str();
    if (node["loading"].boolValue()) text += " (loading)";
    if (!node["error"].str().empty()) text += " (failed: " + node["error"].str() + ")";
    line(indent, text);
  } else if (kind == "map") {
    line(indent, "map: centre " + node["latitude"].describe() + ", " +
                     node["longitude"].describe() + " span " + node["latitudeDelta"].describe() +
                     ", " + node["longitudeDelta"].describe());
    for (Value pin : node["pins"].items()) {
      std::string text = pin["id"].str() + " " + pin["title"].str();
      if (!pin["subtitle"].str().empty()) text += " - " + pin["subtitle"].str();
      if (pin["selected"].boolValue()) text += " (selected)";
      line(indent + 1, text);
    }
  } else if (kind == "table") {
    table(node, indent);
  } else if (kind == "overlay") {
    line(indent, node["busy"].boolValue() ? "(busy overlay)" : "(overlay)");
  } else if (kind == "group") {
    children(node["children"], indent);
  }
}

void TextWriter::field(const Value& node, int indent) {
  std::string text = node["id"].str();
  if (!node["label"].str().empty()) text += " " + node["label"].str();
  text += " [" + node["text"].str() + "]";
  if (node["text"].str().empty() && !node["placeholder"].str().empty()) {
    text += " (" + node["placeholder"].str() + ")";
  }
  if (node["editing"].boolValue()) text += " (editing)";
  line(indent, flagged(text, node));
}

void TextWriter::picker(const Value& node, int indent) {
  if (node["kind"].str() == "datePicker") {
    std::string text = node["id"].str() + " date: " + node["date"].str();
    if (node["minimum"].isString()) text += " (from " + node["minimum"].str() + ")";
    if (node["maximum"].isString()) text += " (until " + node["maximum"].str() + ")";
    line(indent, text);
    return;
  }
  line(indent, node["id"].str() + " wheels:");
  int c = 0;
  for (Value component : node["components"].items()) {
    std::string text = "wheel " + std::to_string(c++) + ":";
    int r = 0;
    for (Value title : component["rows"].items()) {
      bool selected = r++ == component["selected"].intValue();
      text += (r == 1 ? " " : " | ") + (selected ? "[" + title.str() + "]" : title.str());
    }
    line(indent + 1, text);
  }
}

void TextWriter::table(const Value& node, int indent) {
  children(node["header"], indent);
  for (Value section : node["sections"].items()) {
    if (!section["title"].str().empty()) line(indent, "-- " + section["title"].str() + " --");
    children(section["header"], indent);
    for (Value r : section["rows"].items()) row(r, indent);
    if (!section["footerTitle"].str().empty()) line(indent, section["footerTitle"].str());
    children(section["footer"], indent);
  }
  children(node["footer"], indent);
}

void TextWriter::row(const Value& node, int indent) {
  std::string text = node["id"].str();
  if (!node["text"].str().empty()) text += " " + node["text"].str();
  if (!node["detail"].str().empty()) text += " | " + node["detail"].str();
  const std::string accessory = node["accessory"].str();
  if (accessory == "disclosure") text += " >";
  if (accessory == "checkmark") text += " (checked)";
  if (accessory == "detail") text += " " + node["id"].str() + ".accessory (i)";
  if (node["busy"].boolValue()) text += " (spinner)";
  if (node["selected"].boolValue()) text += " (selected)";
  if (node["delete"].isString()) text += " " + node["delete"].str() + " [Delete]";
  line(indent, text);
  children(node["children"], indent + 1);
}

void TextWriter::alert(const Value& alert) {
  const std::string title = alert["title"].str();
  line(0, title.empty() ? "Alert:" : "Alert: " + title);
  if (!alert["message"].str().empty()) line(1, alert["message"].str());
  std::string buttons;
  for (Value b : alert["buttons"].items()) {
    buttons += (buttons.empty() ? "" : "  ") + b["id"].str() + " [" + b["title"].str() + "]";
  }
  line(1, buttons);
  if (int behind = static_cast<int>(alert["behind"].intValue()); behind > 0) {
    line(1, "(" + std::to_string(behind) + " more behind)");
  }
}

}  // namespace

std::string renderScreenText(const json::Value& tree) {
  TextWriter writer;
  writer.window(tree);
  return std::move(writer).result();
}

}  // namespace kelda::ui

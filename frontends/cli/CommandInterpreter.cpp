#include "CommandInterpreter.hpp"

#include <charconv>
#include <chrono>
#include <cmath>

#include "json/SBJson.hpp"
#include "platform/RunLoop.hpp"
#include "ui/Actor.hpp"
#include "ui/ScreenTree.hpp"
#include "ui/Window.hpp"

namespace kelda::cli {

namespace {

struct Usage {
  const char* name;
  std::size_t minimumWords;
  const char* usage;
};

constexpr Usage kUsages[] = {
    {"tab", 1, "tab N|TITLE"},
    {"tap", 1, "tap TARGET"},
    {"type", 2, "type TARGET TEXT"},
    {"return", 1, "return TARGET"},
    {"search", 1, "search TEXT"},
    {"pick", 2, "pick TARGET ROW..."},
    {"done", 0, "done"},
    {"cancel", 0, "cancel"},
    {"alert", 1, "alert BUTTON"},
    {"back", 0, "back"},
    {"page", 1, "page N"},
    {"wait", 0, "wait [SECONDS]"},
    {"show", 0, "show"},
    {"json", 0, "json"},
    {"help", 0, "help"},
    {"quit", 0, "quit"},
};

const Usage* usageOf(const std::string& name) {
  for (const Usage& u : kUsages) {
    if (name == u.name) return &u;
  }
  return nullptr;
}

ui::ActResult runAction(ui::Actor& actor, const Command& c) {
  const std::string& n = c.name;
  if (n == "tab") return actor.tab(c.joined());
  if (n == "tap") return actor.tap(c.joined());
  if (n == "type") return actor.type(c.words[0], c.joined(1));
  if (n == "return") return actor.returnKey(c.joined());
  if (n == "search") return actor.search(c.joined());
  if (n == "pick") {
    return actor.pick(c.words[0], std::vector<std::string>(c.words.begin() + 1, c.words.end()));
  }
  if (n == "done") return actor.done();
  if (n == "cancel") return actor.cancel();
  if (n == "alert") return actor.alertButton(c.joined());
  if (n == "back") return actor.back();
  return actor.page(c.joined());
}

}  // namespace

CommandInterpreter::CommandInterpreter(ui::Window& window, platform::RunLoop& loop)
    : window_(window), loop_(loop) {}

Outcome CommandInterpreter::execute(const Command& command) {
  const Usage* usage = usageOf(command.name);
  if (usage == nullptr) {
    return Outcome::failure("Unknown command \"" + command.name + "\" (type help for the list)");
  }
  if (command.words.size() < usage->minimumWords) {
    return Outcome::failure(std::string("Usage: ") + usage->usage);
  }
  Outcome outcome;
  if (command.name == "quit") {
    outcome.quit = true;
  } else if (command.name == "help") {
    outcome.output = helpText();
  } else if (command.name == "show") {
    outcome.showScreen = true;
  } else if (command.name == "json") {
    auto text = json::JSONRepresentation(ui::ScreenTree::capture(window_).json());
    outcome.output = text.value_or("{}") + "\n";
  } else if (command.name == "wait") {
    return wait(command);
  } else {
    return action(command);
  }
  return outcome;
}

Outcome CommandInterpreter::action(const Command& command) {
  ui::Actor actor(window_);
  ui::ActResult result = runAction(actor, command);
  if (!result) return Outcome::failure(result.message);
  loop_.runUntilIdle();
  Outcome outcome;
  outcome.showScreen = true;
  return outcome;
}

Outcome CommandInterpreter::wait(const Command& command) {
  if (command.words.empty()) {
    loop_.runUntilIdle();
  } else {
    const std::string& text = command.words[0];
    double seconds = -1;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(seconds) ||
        seconds < 0 || seconds > 1e9) {
      return Outcome::failure("Usage: wait [SECONDS] (SECONDS is a number, 0 or more)");
    }
    loop_.runFor(std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::duration<double>(seconds)));
  }
  Outcome outcome;
  outcome.showScreen = true;
  return outcome;
}

std::string CommandInterpreter::helpText() {
  return "Commands (a TARGET is an element id such as row.0.2 or field.email, or the exact\n"
         "visible text of a button, row, tab, bar button or field label, ignoring case;\n"
         "fields also by placeholder; words with blanks may be quoted):\n"
         "  tab N|TITLE         select a tab by index (0 is the first) or title\n"
         "  tap TARGET          tap a button, row, bar button, tab, switch, check box, ...\n"
         "  type TARGET TEXT    replace the text of a field or search bar\n"
         "  return TARGET       press the return key of a field\n"
         "  search TEXT         type into the screen's search bar and press search\n"
         "  pick TARGET ROW...  turn a picker's wheels (row title or index per wheel; a date\n"
         "                      picker takes YYYY-MM-DD); TARGET 'picker' is the open picker\n"
         "  done, cancel        the open picker's Done or Cancel\n"
         "  alert BUTTON        press a button of the alert (title or index)\n"
         "  back                the back button\n"
         "  page N              turn the screen's pages to page N (0 is the first)\n"
         "  wait                run until idle (requests finished, due work done)\n"
         "  wait SECONDS        let SECONDS pass on the client's clock\n"
         "  show                print the screen again\n"
         "  json                print the screen as JSON\n"
         "  help                this list\n"
         "  quit                end the program\n";
}

}  // namespace kelda::cli

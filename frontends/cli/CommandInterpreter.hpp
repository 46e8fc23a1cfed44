// CommandInterpreter: carries out one kelda-cli command on the window (through ui::Actor) and
// the run loop: after an action it runs the loop until idle (every worker finished, every due
// task run), so the screen printed next shows the outcome. Main thread only.
#pragma once

#include <string>

#include "CommandParser.hpp"

namespace kelda::platform {
class RunLoop;
}
namespace kelda::ui {
class Window;
}

namespace kelda::cli {

struct Outcome {
  bool ok = true;           // false: the command could not be carried out (see error)
  bool quit = false;        // the program should end
  bool showScreen = false;  // print the screen next
  std::string output;       // text to print first (help, json)
  std::string error;
  static Outcome failure(std::string why) {
    Outcome o;
    o.ok = false;
    o.error = std::move(why);
    return o;
  }
};

class CommandInterpreter {
 public:
  CommandInterpreter(ui::Window& window, platform::RunLoop& loop);

  // Unknown commands and missing arguments fail with a message; nothing else changes then.
  Outcome execute(const Command& command);

  // The text of `help` (also the README's command list).
  static std::string helpText();

 private:
  Outcome action(const Command& command);
  Outcome wait(const Command& command);

  ui::Window& window_;
  platform::RunLoop& loop_;
};

}  // namespace kelda::cli

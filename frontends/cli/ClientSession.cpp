#include "ClientSession.hpp"

#include <ostream>

#include "CommandInterpreter.hpp"
#include "CommandParser.hpp"
#include "app/TarnAppDelegate.hpp"
#include "json/SBJson.hpp"
#include "platform/Log.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/UrlOpener.hpp"
#include "ui/NetworkActivityIndicator.hpp"
#include "ui/ScreenTree.hpp"
#include "ui/TextField.hpp"
#include "ui/Window.hpp"

namespace kelda::cli {

namespace {

platform::Options clientOptions(const CliOptions& cli) {
  platform::Options options = platform::Options::fromEnvironment();
  if (cli.server) options.middleware = *cli.server;
  if (cli.home) options.home = *cli.home;
  if (cli.position) options.position = *cli.position;
  return options;
}

// The echo of a script line: as written, except that text typed into a secure field echoes as
// bullets (one per character, as the screen shows it), so no password reaches the output.
std::string echoOf(const std::string& line, const Command& command) {
  if (command.name != "type" || command.words.size() < 2) return line;
  const ui::ScreenTree tree = ui::ScreenTree::capture(ui::Window::shared());
  const ui::Target* target = tree.find(command.words[0], [](const ui::Target& t) {
    return t.kind == ui::TargetKind::Field || t.kind == ui::TargetKind::SearchBar;
  });
  const auto* field = target ? dynamic_cast<const ui::TextField*>(target->view.get()) : nullptr;
  if (field == nullptr || !field->secureTextEntry) return line;
  std::string bullets;
  for (unsigned char c : command.joined(1)) {
    if ((c & 0xC0) != 0x80) bullets += "\u2022";
  }
  return "type " + command.words[0] + " " + bullets;
}

}  // namespace

ClientSession::ClientSession(CliOptions options) : options_(std::move(options)) {
  context_ = std::make_unique<platform::Context>(clientOptions(options_));
  scope_.emplace(*context_);
  log::configure(context_->options()->logLevel, context_->options()->logFile);
  if (options_.virtualClock) {
    platform::RunLoop::main().setClock(std::make_shared<platform::ManualClock>());
  }
  // The services screens use on their way out are made before the screens, so that they are
  // destroyed after them (a context destroys its objects in reverse order of creation).
  platform::NotificationCenter::defaultCenter();
  platform::UrlOpener::shared();
  ui::NetworkActivityIndicator::shared();
  ui::Window::shared();
}

ClientSession::~ClientSession() {
  context_.reset();
  scope_.reset();
}

void ClientSession::launch() {
  app::TarnAppDelegate::shared().applicationDidFinishLaunching();
  platform::RunLoop::main().runUntilIdle();
}

std::string ClientSession::newlyOpenedAddresses() {
  std::vector<std::string> opened = platform::UrlOpener::shared().opened();
  std::string text;
  for (std::size_t i = reportedOpened_; i < opened.size(); ++i) {
    text += "Opened: " + opened[i] + "\n";
  }
  reportedOpened_ = opened.size();
  return text;
}

std::string ClientSession::screen() const {
  ui::ScreenTree tree = ui::ScreenTree::capture(ui::Window::shared());
  if (options_.json) return json::JSONRepresentation(tree.json()).value_or("{}") + "\n";
  return tree.text() + "\n";
}

int ClientSession::run(LineReader& input, bool scripted, std::ostream& out, std::ostream& err) {
  CommandInterpreter interpreter(ui::Window::shared(), platform::RunLoop::main());
  while (auto line = input.next()) {
    ParsedLine parsed = parseCommandLine(*line);
    Outcome outcome;
    if (parsed.command) {
      if (scripted && !options_.json) out << "> " << echoOf(*line, *parsed.command) << "\n";
      outcome = interpreter.execute(*parsed.command);
    } else if (!parsed.error.empty()) {
      outcome = Outcome::failure(parsed.error);
    } else {
      continue;
    }
    if (!outcome.ok) {
      err << "kelda-cli: " << outcome.error << std::endl;
      if (scripted) return 2;
      continue;
    }
    out << outcome.output;
    if (outcome.quit) break;
    if (outcome.showScreen && !options_.json) out << newlyOpenedAddresses();
    if (outcome.showScreen) out << screen();
    out.flush();
  }
  return 0;
}

}  // namespace kelda::cli

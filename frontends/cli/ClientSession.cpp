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
#include "ui/Window.hpp"

namespace kelda::cli {

namespace {

platform::Options clientOptions(const CliOptions& cli) {
  platform::Options options = platform::Options::fromEnvironment();
  if (cli.server) options.middleware = *cli.server;
  if (cli.home) options.home = *cli.home;
  return options;
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
      if (scripted && !options_.json) out << "> " << *line << "\n";
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

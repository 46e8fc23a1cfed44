// kelda: the Kelda shopping client in a phone-sized window. Draws the client's screens as
// kelda-cli prints them and turns clicks, typing and swipes into the same actions; with
// --screenshots DIR --script FILE it runs a kelda-cli script and saves a picture per command.
#include <QGuiApplication>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "ClientHost.hpp"
#include "KeldaWindow.hpp"
#include "ScreenshotRun.hpp"
#include "WindowOptions.hpp"

namespace {

using kelda::qt::ClientHost;
using kelda::qt::KeldaWindow;
using kelda::qt::WindowOptions;

kelda::platform::Options clientOptions(const WindowOptions& window) {
  kelda::platform::Options options = kelda::platform::Options::fromEnvironment();
  if (window.server) options.middleware = *window.server;
  if (window.home) options.home = *window.home;
  if (window.position) options.position = *window.position;
  return options;
}

// Qt's arguments; scripted runs draw offscreen unless told where.
std::vector<std::string> qtArguments(const WindowOptions& options) {
  std::vector<std::string> arguments = options.qtArguments;
  bool platformGiven = false;
  for (const std::string& argument : arguments) platformGiven |= argument == "-platform";
  if (options.screenshots && !platformGiven) {
    arguments.insert(arguments.end(), {"-platform", "offscreen"});
  }
  return arguments;
}

int run(const WindowOptions& options, QGuiApplication& app) {
  const kelda::platform::Options client = clientOptions(options);
  if (options.screenshots) {
    ClientHost host(client, ClientHost::Drive::Inline, options.virtualClock);
    KeldaWindow window(host, client.resources, {.animated = false, .desktopOpener = false});
    window.view().show();
    return kelda::qt::runScreenshots(host, window, *options.script, *options.screenshots, std::cout,
                                     std::cerr);
  }
  ClientHost host(client, ClientHost::Drive::OwnThread);
  KeldaWindow window(host, client.resources, {});
  host.start(window.frameSink());
  window.view().show();
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  kelda::qt::ParsedWindowOptions parsed = kelda::qt::parseWindowOptions(argc, argv);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const WindowOptions options = std::get<WindowOptions>(parsed);
  std::vector<std::string> arguments = qtArguments(options);
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  int qtArgc = static_cast<int>(arguments.size());
  try {
    QGuiApplication app(qtArgc, pointers.data());
    QGuiApplication::setApplicationName(QStringLiteral("kelda"));
    return run(options, app);
  } catch (const std::exception& e) {
    std::cerr << "kelda: " << e.what() << std::endl;
    return 1;
  }
}

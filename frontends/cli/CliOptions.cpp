#include "CliOptions.hpp"

#include <CLI/CLI.hpp>
#include <iostream>

#include "PositionOption.hpp"

namespace kelda::cli {

ParsedOptions parseCliOptions(int argc, char** argv) {
  CLI::App app{"kelda-cli: the Kelda shopping client in a terminal", "kelda-cli"};
  CliOptions options;
  std::string server, home, position, script;
  auto* serverOption = app.add_option("--server", server, "Middleware address HOST[:PORT]")
                           ->type_name("HOST[:PORT]");
  auto* homeOption = app.add_option("--home", home, "Documents directory")->type_name("DIR");
  auto* positionOption =
      app.add_option("--position", position, kPositionOptionHelp)->type_name("LAT,LON");
  auto* scriptOption =
      app.add_option("--script", script, "Read commands from FILE (- for standard input)")
          ->type_name("FILE|-");
  app.add_flag("--json", options.json, "Print every screen as JSON");
  std::string clock;
  auto* clockOption =
      app.add_option("--clock", clock,
                     "The client's clock: real (timers run by themselves; the default without "
                     "--script) or virtual (time moves only with 'wait SECONDS'; the default "
                     "with --script)")
          ->check(CLI::IsMember({"real", "virtual"}))
          ->type_name("real|virtual");
  app.footer("Type 'help' at the prompt for the commands.");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error);
  }
  if (*serverOption) options.server = server;
  if (*homeOption) options.home = home;
  if (*positionOption) {
    if (auto error = positionOptionError(position)) {
      std::cerr << "kelda-cli: " << *error << std::endl;
      return 2;
    }
    options.position = position;
  }
  if (*scriptOption) options.script = script;
  options.virtualClock = *clockOption ? clock == "virtual" : options.script.has_value();
  return options;
}

}  // namespace kelda::cli

#include "WindowOptions.hpp"

#include <CLI/CLI.hpp>
#include <iostream>

#include "PositionOption.hpp"

namespace kelda::qt {

ParsedWindowOptions parseWindowOptions(int argc, char** argv) {
  CLI::App app{"kelda: the Kelda shopping client in a phone-sized window", "kelda"};
  app.allow_extras();
  WindowOptions options;
  std::string server, home, position, screenshots, script, clock;
  auto* serverOption = app.add_option("--server", server, "Middleware address HOST[:PORT]")
                           ->type_name("HOST[:PORT]");
  auto* homeOption = app.add_option("--home", home, "Documents directory")->type_name("DIR");
  auto* positionOption =
      app.add_option("--position", position, kelda::cli::kPositionOptionHelp)->type_name("LAT,LON");
  auto* shotsOption =
      app.add_option("--screenshots", screenshots,
                     "Run --script in the window and save one PNG per command in DIR")
          ->type_name("DIR");
  auto* scriptOption =
      app.add_option("--script", script, "kelda-cli commands to run (with --screenshots)")
          ->type_name("FILE");
  shotsOption->needs(scriptOption);
  scriptOption->needs(shotsOption);
  auto* clockOption =
      app.add_option("--clock", clock,
                     "The client's clock for --script: virtual (the default; time moves only "
                     "with 'wait SECONDS') or real")
          ->check(CLI::IsMember({"real", "virtual"}))
          ->type_name("real|virtual");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error);
  }
  if (*serverOption) options.server = server;
  if (*homeOption) options.home = home;
  if (*positionOption) {
    if (auto error = kelda::cli::positionOptionError(position)) {
      std::cerr << "kelda: " << *error << std::endl;
      return 2;
    }
    options.position = position;
  }
  if (*shotsOption) options.screenshots = screenshots;
  if (*scriptOption) options.script = script;
  options.virtualClock = options.script && (!*clockOption || clock == "virtual");
  options.qtArguments.push_back(argc > 0 ? argv[0] : "kelda");
  for (const std::string& extra : app.remaining()) {
    if (!extra.empty() && extra[0] != '-' && options.qtArguments.size() == 1) {
      std::cerr << "kelda: unexpected argument " << extra << std::endl;
      return 2;
    }
    options.qtArguments.push_back(extra);
  }
  return options;
}

}  // namespace kelda::qt

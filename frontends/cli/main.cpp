// kelda-cli: the Kelda shopping client in a terminal. Prints the screen, takes a person's or a
// script's commands, and prints the screen again after each.
#include <exception>
#include <iostream>

#include "CliOptions.hpp"
#include "ClientSession.hpp"
#include "LineReader.hpp"
#include "platform/RunLoop.hpp"

int main(int argc, char** argv) {
  using namespace kelda::cli;
  ParsedOptions parsed = parseCliOptions(argc, argv);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  CliOptions options = std::get<CliOptions>(parsed);
  try {
    std::unique_ptr<LineReader> input;
    if (options.script) {
      std::string error;
      input = LineReader::script(*options.script, error);
      if (!input) {
        std::cerr << "kelda-cli: " << error << std::endl;
        return 2;
      }
    } else {
      // Timers and transitions go on by themselves while the person types.
      input = LineReader::interactive([] { kelda::platform::RunLoop::main().runReady(); });
    }
    ClientSession session(options);
    session.launch();
    std::cout << session.screen() << std::flush;
    return session.run(*input, options.script.has_value(), std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "kelda-cli: " << e.what() << std::endl;
    return 1;
  }
}

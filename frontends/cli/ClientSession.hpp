// ClientSession: one run of the client inside kelda-cli. It reads the options once (the
// environment, then the command line's middleware address and documents directory over it),
// makes a fresh context current with them and its run loop on virtual time (the client's clock
// moves only with `wait SECONDS`) or on the real clock, launches the client through the
// application delegate, and then reads commands, carries them out and prints the screen after
// each (preceded by the outside addresses the client opened meanwhile, "Opened: URL", in text
// mode). Main thread only; one per process.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "CliOptions.hpp"
#include "LineReader.hpp"
#include "platform/Context.hpp"
#include "platform/RunLoop.hpp"

namespace kelda::cli {

class ClientSession {
 public:
  explicit ClientSession(CliOptions options);
  ~ClientSession();
  ClientSession(const ClientSession&) = delete;
  ClientSession& operator=(const ClientSession&) = delete;

  // Launches the client and runs the loop until idle.
  void launch();
  // The current screen, as text or as one line of JSON (per the options).
  std::string screen() const;
  // Reads and carries out commands until the input ends or `quit`. Returns the exit status:
  // 0, or 2 when a scripted command could not be carried out (reported on `err`).
  int run(LineReader& input, bool scripted, std::ostream& out, std::ostream& err);

 private:
  CliOptions options_;
  // The context stays current while it is destroyed: its objects reach each other on the way.
  std::unique_ptr<platform::Context> context_;
  std::optional<platform::ScopedContext> scope_;
  // Lines "Opened: URL" for the outside addresses the client opened since the last call.
  std::string newlyOpenedAddresses();

  std::size_t reportedOpened_ = 0;
};

}  // namespace kelda::cli

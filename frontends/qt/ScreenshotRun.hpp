// ScreenshotRun: `kelda --screenshots DIR --script FILE`. Runs a kelda-cli script in the window,
// command by command as kelda-cli carries them out (the client on the window's thread, on
// virtual time unless asked otherwise), and saves the window after the launch and after each
// command: DIR/00-launch.png, DIR/01-<command>.png, ... (640 by 960 pixels). For documentation
// and review; nothing animates, and outside addresses are shown rather than opened.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

#include "ClientHost.hpp"
#include "KeldaWindow.hpp"

namespace kelda::qt {

// The file name of the picture after command number `index` (for example 07-tap-row-0-3.png).
std::string screenshotName(int index, const std::string& command);

// Runs `script` in `window` (whose host drives the client inline). Returns the exit status:
// 0, or 2 when the script cannot be read, a command cannot be carried out or a picture cannot
// be saved (said on `err`).
int runScreenshots(ClientHost& host, KeldaWindow& window, const std::string& script,
                   const std::filesystem::path& directory, std::ostream& out, std::ostream& err);

}  // namespace kelda::qt

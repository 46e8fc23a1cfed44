#include "ScreenshotRun.hpp"

#include <QCoreApplication>
#include <cctype>
#include <cstdio>
#include <ostream>
#include <system_error>

#include "CommandInterpreter.hpp"
#include "CommandParser.hpp"
#include "LineReader.hpp"
#include "ui/Window.hpp"

namespace kelda::qt {
namespace {

constexpr std::size_t kLongestSlug = 40;

bool save(KeldaWindow& window, const std::filesystem::path& file, std::ostream& err) {
  // Frames shown so far are drawn before the picture is taken.
  QCoreApplication::processEvents();
  if (!window.grab().save(QString::fromStdString(file.string()), "PNG")) {
    err << "kelda: cannot save " << file.string() << std::endl;
    return false;
  }
  return true;
}

}  // namespace

std::string screenshotName(int index, const std::string& command) {
  char number[16];
  std::snprintf(number, sizeof number, "%02d", index);
  std::string slug;
  for (unsigned char c : command) {
    if (slug.size() >= kLongestSlug) break;
    if (std::isalnum(c)) {
      slug += static_cast<char>(std::tolower(c));
    } else if (!slug.empty() && slug.back() != '-') {
      slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return std::string(number) + (slug.empty() ? "" : "-" + slug) + ".png";
}

int runScreenshots(ClientHost& host, KeldaWindow& window, const std::string& script,
                   const std::filesystem::path& directory, std::ostream& out, std::ostream& err) {
  std::string error;
  std::unique_ptr<cli::LineReader> input = cli::LineReader::script(script, error);
  if (!input) {
    err << "kelda: " << error << std::endl;
    return 2;
  }
  std::error_code made;
  std::filesystem::create_directories(directory, made);
  host.start(window.frameSink());
  if (!save(window, directory / screenshotName(0, "launch"), err)) return 2;
  cli::CommandInterpreter interpreter(ui::Window::shared(), host.loop());
  int index = 0;
  while (auto line = input->next()) {
    cli::ParsedLine parsed = cli::parseCommandLine(*line);
    if (!parsed.command) {
      if (parsed.error.empty()) continue;
      err << "kelda: " << parsed.error << std::endl;
      return 2;
    }
    cli::Outcome outcome = interpreter.execute(*parsed.command);
    if (!outcome.ok) {
      err << "kelda: " << *line << ": " << outcome.error << std::endl;
      return 2;
    }
    if (outcome.quit) break;
    host.settle();
    const std::filesystem::path file = directory / screenshotName(++index, *line);
    if (!save(window, file, err)) return 2;
    out << file.string() << "\n";
  }
  return 0;
}

}  // namespace kelda::qt

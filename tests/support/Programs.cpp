#include "support/Programs.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kelda::test {
namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::filesystem::path resourcesDirectory() {
  const std::string resources = environment("KELDA_RESOURCES");
  if (!resources.empty()) return resources;
  return std::filesystem::path(environment("KELDA_SOURCE")) / "resources";
}

// "host:port" of a printed "<prefix>http://host:port" line; empty when the line is another.
std::string addressIn(const std::string& line, const std::string& prefix) {
  const std::string start = prefix + "http://";
  return line.rfind(start, 0) == 0 ? line.substr(start.size()) : std::string();
}

}  // namespace

std::filesystem::path binDirectory() {
  return environment("KELDA_BIN");
}

std::string missingPrograms() {
  const auto bin = binDirectory();
  if (bin.empty()) return "KELDA_BIN is not set (run through ctest)";
  std::string missing;
  for (const char* program : {"kelda-cli", "kelda-middleware"}) {
    if (!std::filesystem::exists(bin / program))
      missing += std::string(program) + " is not built; ";
  }
  return missing;
}

Middleware::Middleware(const std::filesystem::path& workDir, MiddlewareOptions options)
    : logFile_(workDir / "middleware.log"), dataDirectory_(workDir / "middleware-data") {
  const auto& data = dataDirectory_;
  std::filesystem::create_directories(data);
  ChildSpec spec;
  spec.argv = {(binDirectory() / "kelda-middleware").string(),
               "--host",
               "127.0.0.1",
               "--port",
               "0",
               "--ctr-port",
               "0",
               "--data",
               data.string(),
               "--products",
               std::to_string(options.products),
               "--seed",
               std::to_string(options.seed),
               "--threads",
               "8"};
  if (!options.faults.empty()) {
    spec.argv.push_back("--faults");
    spec.argv.push_back(options.faults);
  }
  spec.stderrFile = logFile_;
  process_ = std::make_unique<ChildProcess>(spec);
  // Seeding comes before the first line: allow it a generous but bounded time.
  const auto deadline = Clock::now() + std::chrono::seconds(60);
  while (address_.empty() || ctrAddress_.empty()) {
    const auto line = process_->readLine(deadline);
    if (!line) break;
    if (const auto main = addressIn(*line, "listening on "); !main.empty()) address_ = main;
    if (const auto ctr = addressIn(*line, "landing pages on "); !ctr.empty()) ctrAddress_ = ctr;
  }
  if (address_.empty() || ctrAddress_.empty()) {
    const ChildOutcome ended = stop();
    throw std::runtime_error("kelda-middleware did not come up (exit " +
                             std::to_string(ended.exitStatus) + "): " + log());
  }
}

Middleware::~Middleware() {
  stop();
}

std::string Middleware::log() const {
  return readFile(logFile_);
}

ChildOutcome Middleware::stop() {
  if (!process_) return {};
  ChildOutcome outcome = process_->stop(std::chrono::seconds(5));
  process_.reset();
  return outcome;
}

std::string CliRun::after(const std::string& command) const {
  const std::string echo = "> " + command + "\n";
  std::size_t at = out.rfind(echo, 0) == 0 ? 0 : out.find("\n" + echo);
  if (at == std::string::npos) return "";
  at = out.find('\n', at + 1) + 1;  // the screen starts on the line after the echo
  const auto next = out.find("\n> ", at);
  return out.substr(at, next == std::string::npos ? std::string::npos : next + 1 - at);
}

std::string CliRun::describe() const {
  return "exit status " + std::to_string(status) + (timedOut ? " (timed out)" : "") +
         "\n--- stderr ---\n" + err + "\n--- stdout ---\n" + out;
}

KeldaCli::KeldaCli(std::string address, std::string ctrAddress, std::filesystem::path workDir)
    : address_(std::move(address)),
      ctrAddress_(std::move(ctrAddress)),
      workDir_(std::move(workDir)) {}

void KeldaCli::setEnvironment(std::string name, std::optional<std::string> value) {
  extraEnv_.emplace_back(std::move(name), std::move(value));
}

std::filesystem::path KeldaCli::writeFile(const std::string& text) const {
  const auto file = workDir_ / ("script-" + std::to_string(++runs_) + ".txt");
  std::ofstream(file, std::ios::binary) << text;
  return file;
}

CliRun KeldaCli::run(const std::string& script, const std::filesystem::path& home,
                     std::chrono::seconds limit,
                     const std::vector<std::string>& extraArguments) const {
  std::filesystem::create_directories(home);
  std::vector<std::string> arguments = {"--server",    address_,   "--home",
                                        home.string(), "--script", writeFile(script).string()};
  arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
  return runWithArguments(arguments, {}, limit);
}

CliRun KeldaCli::runWithArguments(const std::vector<std::string>& arguments,
                                  const std::filesystem::path& standardInput,
                                  std::chrono::seconds limit) const {
  ChildSpec spec;
  spec.argv = {(binDirectory() / "kelda-cli").string()};
  spec.argv.insert(spec.argv.end(), arguments.begin(), arguments.end());
  spec.stdinFile = standardInput;
  spec.env = {
      {"KELDA_CTR_ADDRESS", ctrAddress_},   {"KELDA_WEB_HOST", address_},
      {"KELDA_MAPS_HOST", address_},        {"KELDA_RESOURCES", resourcesDirectory().string()},
      {"KELDA_MIDDLEWARE", std::nullopt},   {"KELDA_HOME", std::nullopt},
      {"KELDA_REACHABILITY", std::nullopt}, {"KELDA_LOG_FILE", std::nullopt}};
  spec.env.insert(spec.env.end(), extraEnv_.begin(), extraEnv_.end());
  ChildProcess cli(spec);
  ChildOutcome outcome = cli.finish(Clock::now() + limit);
  return CliRun{outcome.exitStatus, outcome.timedOut, std::move(outcome.out),
                std::move(outcome.err)};
}

}  // namespace kelda::test

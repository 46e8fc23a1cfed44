// kelda-json [--fragment] [--pretty] [--sort-keys] [FILE|-]
//
// Reads JSON from FILE or standard input and writes it back (compact unless --pretty). On a
// reading or writing failure prints the error trace, newest first, and exits 1:
//   error 3: Expected value while parsing array
//     caused by error 2: Leading 0 disallowed in number
// so that the root cause of a nested failure is visible. Without --fragment the top level must
// be an object or an array. Exit 2: bad usage or unreadable file.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "json/SBJson.hpp"

namespace {

constexpr const char* kUsage = "usage: kelda-json [--fragment] [--pretty] [--sort-keys] [FILE|-]\n";

struct Options {
  bool fragment = false;
  bool pretty = false;
  bool sortKeys = false;
  std::string path = "-";
};

bool parseArguments(int argc, char** argv, Options& options) {
  bool havePath = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--fragment") {
      options.fragment = true;
    } else if (arg == "--pretty") {
      options.pretty = true;
    } else if (arg == "--sort-keys") {
      options.sortKeys = true;
    } else if ((arg == "-" || !arg.starts_with("-")) && !havePath) {
      options.path = std::string(arg);
      havePath = true;
    } else {
      return false;
    }
  }
  return true;
}

// Reads are made in pieces of this size (a text may be tens of megabytes).
constexpr std::size_t kPiece = std::size_t(1) << 16;

// Appends the whole stream to `text`.
bool readStream(std::istream& in, std::string& text) {
  std::size_t used = text.size();
  do {
    text.resize(used + kPiece);
    in.read(text.data() + used, kPiece);
    used += static_cast<std::size_t>(in.gcount());
  } while (in);
  text.resize(used);
  return !in.bad();
}

bool readAll(const std::string& path, std::string& text) {
  if (path == "-") return readStream(std::cin, text);
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::error_code error;
  auto size = std::filesystem::file_size(path, error);
  if (!error) text.reserve(size + kPiece);
  return readStream(in, text);
}

// The trace from the last error back to the first, one error a line.
int reportFailure(const std::shared_ptr<const kelda::json::Error>& error) {
  if (!error) {
    std::cout << "error 0: unknown failure\n";
    return 1;
  }
  const char* lead = "";
  for (const kelda::json::Error* e = error.get(); e != nullptr; e = e->underlying.get()) {
    std::cout << lead << "error " << e->code << ": " << e->description << "\n";
    lead = "  caused by ";
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  Options options;
  if (!parseArguments(argc, argv, options)) {
    std::cerr << kUsage;
    return 2;
  }
  std::string text;
  if (!readAll(options.path, text)) {
    std::cerr << "kelda-json: cannot read " << options.path << "\n";
    return 2;
  }
  kelda::json::SBJSON json;
  json.setHumanReadable(options.pretty);
  json.setSortKeys(options.sortKeys);
  std::shared_ptr<const kelda::json::Error> error;
  kelda::json::Value value = options.fragment ? json.fragmentWithString(text, &error)
                                              : json.objectWithString(text, &error);
  if (value.isAbsent()) return reportFailure(error);
  auto written = options.fragment ? json.stringWithFragment(value, &error)
                                  : json.stringWithObject(value, &error);
  if (!written) return reportFailure(error);
  std::cout << *written << "\n";
  return 0;
}

// kelda-json [--fragment] [--pretty] [--sort-keys] [FILE|-]
//
// Reads JSON from FILE or standard input and writes it back (compact unless --pretty). On a
// reading or writing failure prints "error <code>: <description>" of the last error and exits
// 1. Without --fragment the top level must be an object or an array. Exit 2: bad usage or
// unreadable file.
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
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

bool readAll(const std::string& path, std::string& text) {
  if (path == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return !std::cin.bad();
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = std::move(buffer).str();
  return !in.bad();
}

int reportFailure(const std::shared_ptr<const kelda::json::Error>& error) {
  std::cout << "error " << (error ? error->code : 0) << ": "
            << (error ? error->description : std::string("unknown failure")) << "\n";
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

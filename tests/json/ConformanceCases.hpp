// Where the public JSON parsing conformance cases are read from: the copy kept in the source tree
// named by KELDA_SOURCE, tests/json/conformance/json-test-suite/test_parsing (taken from the team's
// shared conformance data, with its licence). The tests that use them fail when they are missing,
// so that a broken checkout never passes for want of cases.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kelda::json::testing {

inline std::filesystem::path conformanceCases() {
  const char* source = std::getenv("KELDA_SOURCE");
  return std::filesystem::path(source != nullptr ? source : "") / "tests" / "json" /
         "conformance" / "json-test-suite" / "test_parsing";
}

// Why the cases cannot be read, or "" when they can.
inline std::string missingConformanceCases() {
  if (std::getenv("KELDA_SOURCE") == nullptr) {
    return "KELDA_SOURCE is not set; it names the source tree that holds "
           "tests/json/conformance/json-test-suite/test_parsing";
  }
  std::filesystem::path cases = conformanceCases();
  if (!std::filesystem::is_directory(cases)) {
    return "conformance cases not found at " + cases.lexically_normal().string();
  }
  return "";
}

}  // namespace kelda::json::testing

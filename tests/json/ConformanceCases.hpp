// Where the public JSON parsing conformance cases are read from: beside the source tree named by
// KELDA_SOURCE, in shared/conformance/json-test-suite/test_parsing. The tests that use them fail
// when they are missing, so that a broken checkout never passes for want of cases.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kelda::json::testing {

inline std::filesystem::path conformanceCases() {
  const char* source = std::getenv("KELDA_SOURCE");
  return std::filesystem::path(source != nullptr ? source : "") / ".." / "shared" / "conformance" /
         "json-test-suite" / "test_parsing";
}

// Why the cases cannot be read, or "" when they can.
inline std::string missingConformanceCases() {
  if (std::getenv("KELDA_SOURCE") == nullptr) {
    return "KELDA_SOURCE is not set; it names the source tree, beside which "
           "shared/conformance/json-test-suite/test_parsing holds the conformance cases";
  }
  std::filesystem::path cases = conformanceCases();
  if (!std::filesystem::is_directory(cases)) {
    return "conformance cases not found at " + cases.lexically_normal().string() +
           " (KELDA_SOURCE/../shared/conformance/json-test-suite/test_parsing)";
  }
  return "";
}

}  // namespace kelda::json::testing

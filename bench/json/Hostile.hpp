// Hostile answers for the memory benchmark: texts of a given size shaped to give the reader the
// most decoded values (or the longest text) per input byte.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kelda::bench {

struct HostileShape {
  const char* name;
  const char* kind;  // "tiny-array", "tiny-object" or "long-string": the figure it counts for
  std::string (*make)(std::size_t bytes);
};

// Every shape, each producing a JSON array or object of about `bytes` bytes (never more).
const std::vector<HostileShape>& hostileShapes();

}  // namespace kelda::bench

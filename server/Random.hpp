// Random: a small deterministic generator (splitmix64). The seeder derives one generator per
// product from the run's seed and the product's index, so every product is the same whatever
// the catalogue size. Plain value type; one thread per instance.
#pragma once

#include <cstdint>
#include <span>

namespace kelda::server {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  Random(std::uint64_t seed, std::uint64_t stream) : state_(seed * 0x9E3779B97F4A7C15ULL + stream) {
    next();
  }

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, bound); 0 when bound is 0.
  std::uint64_t below(std::uint64_t bound) { return bound == 0 ? 0 : next() % bound; }
  // Uniform in [low, high].
  long long between(long long low, long long high) {
    return low + static_cast<long long>(below(static_cast<std::uint64_t>(high - low + 1)));
  }
  bool chance(unsigned percent) { return below(100) < percent; }
  template <class T>
  const T& pick(std::span<const T> items) {
    return items[below(items.size())];
  }

 private:
  std::uint64_t state_;
};

}  // namespace kelda::server

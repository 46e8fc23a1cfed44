// Generated answers of the middleware for the codec benchmarks: deterministic, so runs compare.
#pragma once

#include <string>
#include <vector>

namespace kelda::bench {

struct Corpus {
  std::string name;
  std::string text;
};

// A result page of 100 products, a product answer with 40 reviews and its UPC maps, an account
// answer, and a catalogue dump of at least 5 MB.
std::vector<Corpus> makeCorpora();

}  // namespace kelda::bench

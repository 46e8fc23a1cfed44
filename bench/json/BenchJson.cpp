// kelda-bench-json: parse and write speed of our codec against RapidJSON (DOM, numbers kept as
// text), nlohmann-json and simdjson (DOM, parse only), plus the peak memory of a parse per
// input byte (counter "peak_per_byte").
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <simdjson.h>
#include <atomic>
#include <cstdlib>
#include <new>
#include <nlohmann/json.hpp>

#include "Corpora.hpp"
#include "json/SBJson.hpp"

// Heap accounting for the memory figure: live bytes and their peak since the last reset.
namespace {
std::atomic<long long> gLive{0};
std::atomic<long long> gPeak{0};

void noteAlloc(void* p) {
  if (p == nullptr) return;
  long long now = gLive.fetch_add(static_cast<long long>(malloc_usable_size(p))) +
                  static_cast<long long>(malloc_usable_size(p));
  long long peak = gPeak.load();
  while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {
  }
}
void noteFree(void* p) {
  if (p != nullptr) gLive.fetch_sub(static_cast<long long>(malloc_usable_size(p)));
}
void* countedAlloc(std::size_t n) {
  void* p = std::malloc(n == 0 ? 1 : n);
  if (p == nullptr) throw std::bad_alloc();
  noteAlloc(p);
  return p;
}
}  // namespace

void* operator new(std::size_t n) {
  return countedAlloc(n);
}
void* operator new[](std::size_t n) {
  return countedAlloc(n);
}
void operator delete(void* p) noexcept {
  noteFree(p);
  std::free(p);
}
void operator delete[](void* p) noexcept {
  noteFree(p);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  noteFree(p);
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  noteFree(p);
  std::free(p);
}

namespace {

using kelda::bench::Corpus;

// Peak heap growth while `f` runs, per input byte.
template <class F>
double peakPerByte(const std::string& text, F f) {
  long long base = gLive.load();
  gPeak.store(base);
  f();
  return static_cast<double>(gPeak.load() - base) / static_cast<double>(text.size());
}

void parseKelda(benchmark::State& state, const Corpus* c) {
  kelda::json::SBJsonParser parser;
  for (auto _ : state) {
    kelda::json::Value v = parser.objectWithString(c->text);
    benchmark::DoNotOptimize(v);
  }
  state.counters["peak_per_byte"] =
      peakPerByte(c->text, [&] { benchmark::DoNotOptimize(parser.objectWithString(c->text)); });
}

void parseRapid(benchmark::State& state, const Corpus* c) {
  for (auto _ : state) {
    rapidjson::Document d;
    d.Parse<rapidjson::kParseNumbersAsStringsFlag>(c->text.data(), c->text.size());
    benchmark::DoNotOptimize(d);
  }
  state.counters["peak_per_byte"] = peakPerByte(c->text, [&] {
    rapidjson::Document d;
    d.Parse<rapidjson::kParseNumbersAsStringsFlag>(c->text.data(), c->text.size());
    benchmark::DoNotOptimize(d);
  });
}

void parseNlohmann(benchmark::State& state, const Corpus* c) {
  for (auto _ : state) {
    auto j = nlohmann::json::parse(c->text);
    benchmark::DoNotOptimize(j);
  }
  state.counters["peak_per_byte"] =
      peakPerByte(c->text, [&] { benchmark::DoNotOptimize(nlohmann::json::parse(c->text)); });
}

void parseSimd(benchmark::State& state, const Corpus* c) {
  simdjson::dom::parser parser;
  simdjson::padded_string padded(c->text);
  for (auto _ : state) {
    simdjson::dom::element e;
    auto error = parser.parse(padded).get(e);
    benchmark::DoNotOptimize(error);
    benchmark::DoNotOptimize(e);
  }
}

void writeKelda(benchmark::State& state, const Corpus* c) {
  kelda::json::SBJsonParser parser;
  kelda::json::Value v = parser.objectWithString(c->text);
  kelda::json::SBJsonWriter writer;
  for (auto _ : state) {
    auto text = writer.stringWithObject(v);
    benchmark::DoNotOptimize(text);
  }
}

void writeRapid(benchmark::State& state, const Corpus* c) {
  rapidjson::Document d;
  d.Parse<rapidjson::kParseNumbersAsStringsFlag>(c->text.data(), c->text.size());
  for (auto _ : state) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    d.Accept(w);
    benchmark::DoNotOptimize(buffer.GetString());
  }
}

void writeNlohmann(benchmark::State& state, const Corpus* c) {
  auto j = nlohmann::json::parse(c->text);
  for (auto _ : state) {
    auto text = j.dump();
    benchmark::DoNotOptimize(text);
  }
}

}  // namespace

int main(int argc, char** argv) {
  static const std::vector<Corpus> corpora = kelda::bench::makeCorpora();
  using Fn = void (*)(benchmark::State&, const Corpus*);
  const std::pair<const char*, Fn> parsers[] = {{"kelda", parseKelda},
                                                {"rapidjson", parseRapid},
                                                {"nlohmann", parseNlohmann},
                                                {"simdjson", parseSimd}};
  const std::pair<const char*, Fn> writers[] = {
      {"kelda", writeKelda}, {"rapidjson", writeRapid}, {"nlohmann", writeNlohmann}};
  for (const Corpus& c : corpora) {
    for (auto [lib, fn] : parsers) {
      benchmark::RegisterBenchmark(
          ("BM_Parse/" + std::string(lib) + "/" + c.name).c_str(),
          [fn = fn, &c](benchmark::State& s) {
            fn(s, &c);
            s.SetBytesProcessed(static_cast<int64_t>(s.iterations() * c.text.size()));
          });
    }
    for (auto [lib, fn] : writers) {
      benchmark::RegisterBenchmark(
          ("BM_Write/" + std::string(lib) + "/" + c.name).c_str(),
          [fn = fn, &c](benchmark::State& s) {
            fn(s, &c);
            s.SetBytesProcessed(static_cast<int64_t>(s.iterations() * c.text.size()));
          });
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  for (const Corpus& c : corpora)
    std::fprintf(stderr, "corpus %s: %zu bytes\n", c.name.c_str(), c.text.size());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// kelda-bench-json: parse and write speed of our codec against RapidJSON (DOM, numbers kept as
// text), nlohmann-json and simdjson (DOM, parse only), plus the peak memory of a parse per
// input byte (counter "peak_per_byte").
//
// BM_Hostile/<library>/<shape> reads 64 MB answers (the transport's cap) shaped to cost the
// reader the most memory per input byte; its "peak_per_byte" is the figure to watch there.
// `--benchmark_filter=BM_Hostile` runs only those; `--benchmark_filter=-BM_Hostile` skips them.
#include <benchmark/benchmark.h>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <simdjson.h>
#include <nlohmann/json.hpp>

#include "Corpora.hpp"
#include "HeapCounter.hpp"
#include "Hostile.hpp"
#include "json/SBJson.hpp"

namespace {

using kelda::bench::Corpus;

// RapidJSON allocates with malloc: this allocator counts its blocks like operator new's.
class CountedAllocator {
 public:
  static const bool kNeedFree = true;
  void* Malloc(std::size_t size) { return size != 0 ? kelda::bench::countedMalloc(size) : nullptr; }
  void* Realloc(void* original, std::size_t, std::size_t size) {
    if (size == 0) {
      kelda::bench::countedFree(original);
      return nullptr;
    }
    return kelda::bench::countedRealloc(original, size);
  }
  static void Free(void* p) { kelda::bench::countedFree(p); }
};
using RapidDocument =
    rapidjson::GenericDocument<rapidjson::UTF8<>, rapidjson::MemoryPoolAllocator<CountedAllocator>,
                               CountedAllocator>;

// Peak heap growth while `f` runs, per input byte.
template <class F>
double peakPerByte(const std::string& text, F f) {
  return static_cast<double>(kelda::bench::peakHeapGrowth(f)) / static_cast<double>(text.size());
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
    RapidDocument d;
    d.Parse<rapidjson::kParseNumbersAsStringsFlag>(c->text.data(), c->text.size());
    benchmark::DoNotOptimize(d);
  }
  state.counters["peak_per_byte"] = peakPerByte(c->text, [&] {
    RapidDocument d;
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

// The text of one hostile shape, made on first use; only the latest is kept.
const std::string& hostileText(const kelda::bench::HostileShape& shape) {
  constexpr std::size_t kHostileBytes = std::size_t(64) << 20;
  static const char* name = nullptr;
  static std::string text;
  if (name != shape.name) {
    text.clear();
    text.shrink_to_fit();
    text = shape.make(kHostileBytes);
    name = shape.name;
  }
  return text;
}

void hostileKelda(benchmark::State& state, const std::string& text) {
  kelda::json::SBJsonParser parser;
  bool ok = true;
  long long peak = kelda::bench::peakHeapGrowth([&] {
    for (auto _ : state) {
      kelda::json::Value v = parser.objectWithString(text);
      ok = ok && !v.isAbsent();
      benchmark::DoNotOptimize(v);
    }
  });
  if (!ok) state.SkipWithError("the hostile text was refused");
  state.counters["peak_per_byte"] = static_cast<double>(peak) / static_cast<double>(text.size());
}

void hostileRapid(benchmark::State& state, const std::string& text) {
  long long peak = kelda::bench::peakHeapGrowth([&] {
    for (auto _ : state) {
      RapidDocument d;
      d.Parse<rapidjson::kParseNumbersAsStringsFlag>(text.data(), text.size());
      benchmark::DoNotOptimize(d);
    }
  });
  state.counters["peak_per_byte"] = static_cast<double>(peak) / static_cast<double>(text.size());
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
  using HostileFn = void (*)(benchmark::State&, const std::string&);
  const std::pair<const char*, HostileFn> hostileReaders[] = {{"kelda", hostileKelda},
                                                              {"rapidjson", hostileRapid}};
  for (const auto& shape : kelda::bench::hostileShapes()) {
    for (auto [lib, fn] : hostileReaders) {
      benchmark::RegisterBenchmark(
          ("BM_Hostile/" + std::string(lib) + "/" + shape.name).c_str(),
          [fn = fn, &shape](benchmark::State& s) {
            const std::string& text = hostileText(shape);
            fn(s, text);
            s.SetBytesProcessed(static_cast<int64_t>(s.iterations() * text.size()));
            s.SetLabel(shape.kind);
          })
          ->Unit(benchmark::kMillisecond);
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

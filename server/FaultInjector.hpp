// FaultInjector: deliberate failures for the client's reliability tests (--faults RULES).
//
// RULES is a list of rules separated by ";" or ",": TARGET=MODE[:ARG][@RATE]. TARGET is an
// endpoint path without its leading "/" ("results", "maps/geo") or "*" for every request;
// RATE is the share of matching requests that fail (0 to 1, default 1). Modes: "empty" (an
// empty body), "truncated" (the real answer cut in half), "notjson" (an HTML text),
// "badutf8" (JSON holding bytes that are not UTF-8), "http500" (status 500 with a JSON body),
// "delay:N" (the real answer after N seconds), "close" (the connection closed without an
// answer), "huge" (a 20 MB JSON answer), "nested" (100,000 nested arrays). The first rule whose
// target matches and whose draw fires wins. Draws come from the server's seed, so a run is
// repeatable. Thread-safe.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kelda::server {

enum class FaultMode { Empty, Truncated, NotJson, BadUtf8, Http500, Delay, Close, Huge, Nested };

struct Fault {
  FaultMode mode = FaultMode::Empty;
  int seconds = 0;  // for Delay
};

class FaultInjector {
 public:
  FaultInjector() = default;
  // Throws std::invalid_argument naming the rule that cannot be read.
  void configure(std::string_view rules, std::uint64_t seed);
  // The fault to inject into a request for this endpoint, if any.
  std::optional<Fault> pick(std::string_view endpoint);
  // Waits the delay of a Delay fault; returns early (false) when the server stops.
  bool sleep(int seconds);
  // Wakes every waiting delay (server shutdown).
  void stop();
  bool empty() const { return rules_.empty(); }

 private:
  struct Rule {
    std::string target;
    Fault fault;
    double rate = 1.0;
  };
  std::vector<Rule> rules_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::mt19937_64 random_;
};

// The bodies of the answer-changing faults (the truncated one is made from the real answer).
std::string faultBody(FaultMode mode, const std::string& realAnswer);

}  // namespace kelda::server

// The convenience operations over one process-wide reader and one process-wide writer with
// default options, each guarded by its own lock.
#include <mutex>

#include "json/SBJson.hpp"

namespace kelda::json {

namespace {

template <class Codec>
struct Shared {
  std::mutex mutex;
  Codec codec;
};

Shared<SBJsonParser>& sharedParser() {
  static Shared<SBJsonParser> s;
  return s;
}

Shared<SBJsonWriter>& sharedWriter() {
  static Shared<SBJsonWriter> s;
  return s;
}

void logFailure(const char* operation, const std::string& trace) {
  log(operation, std::string("-") + operation + " failed. Error trace is: " + trace);
}

// Runs `op` on the shared codec; on failure logs the operation's failure line.
template <class Codec, class Result, class Op>
Result run(Shared<Codec>& shared, const char* operation, Op op) {
  std::string trace;
  Result result;
  {
    std::lock_guard lock(shared.mutex);
    result = op(shared.codec);
    bool failed;
    if constexpr (std::is_same_v<Result, Value>) {
      failed = result.isAbsent();
    } else {
      failed = !result.has_value();
    }
    if (!failed) return result;
    trace = describeTrace(shared.codec.errorTrace());
  }
  logFailure(operation, trace);
  return result;
}

}  // namespace

std::optional<std::string> JSONRepresentation(const Value& objectOrArray) {
  return run<SBJsonWriter, std::optional<std::string>>(
      sharedWriter(), "JSONRepresentation",
      [&](SBJsonWriter& w) { return w.stringWithObject(objectOrArray); });
}

std::optional<std::string> JSONFragment(const Value& value) {
  return run<SBJsonWriter, std::optional<std::string>>(
      sharedWriter(), "JSONFragment", [&](SBJsonWriter& w) { return w.stringWithFragment(value); });
}

Value JSONValue(std::string_view text) {
  return run<SBJsonParser, Value>(sharedParser(), "JSONValue",
                                  [&](SBJsonParser& p) { return p.objectWithString(text); });
}

Value JSONFragmentValue(std::string_view text) {
  return run<SBJsonParser, Value>(sharedParser(), "JSONFragmentValue",
                                  [&](SBJsonParser& p) { return p.fragmentWithString(text); });
}

}  // namespace kelda::json

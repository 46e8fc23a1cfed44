// The strict JSON reader and writer (RFC 4627) of the client, and the small facade and
// convenience operations through which the rest of the system uses them.
//
// A reader or writer object is not thread-safe: each thread (each request) uses its own. The
// convenience operations at the bottom use process-wide instances guarded internally and may be
// called from any thread. Every failure yields no value and leaves the error trace; nothing is
// shown to the user.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "json/JsonLog.hpp"
#include "json/Value.hpp"

namespace kelda::json {

// The codec's error domain.
inline constexpr const char* kErrorDomain = "org.kelda.json";

// One error of the trace. `underlying` is the error that was already in the trace when this
// one was added (none for the first).
struct Error {
  int code = 0;
  std::string description;
  std::shared_ptr<const Error> underlying;

  // Frees the chain of underlying errors without recursion (a trace may be very long).
  ~Error();
};

// "Error Domain=... Code=n \"description\"" for one error; the trace as a parenthesised list
// of those, one per line. Used for the failure texts of the log.
std::string describe(const Error& error);
std::string describeTrace(const std::vector<std::shared_ptr<const Error>>& trace);

// An object that offers a JSON substitute for itself; the writer writes the substitute.
class JsonProxy {
 public:
  virtual ~JsonProxy() = default;
  virtual Value proxyForJson() const = 0;
};

class SBJsonBase {
 public:
  unsigned maxDepth = 512;  // 0 means no limit
  unsigned depth = 0;       // current nesting while working
  const std::vector<std::shared_ptr<const Error>>& errorTrace() const { return errorTrace_; }
  // The last error of the trace, or null.
  std::shared_ptr<const Error> lastError() const;

 protected:
  void clearTrace();
  void addError(int code, std::string description);

 private:
  std::vector<std::shared_ptr<const Error>> errorTrace_;
};

class SBJsonParser : public SBJsonBase {
 public:
  // The top level must be an object or an array. Absent on failure.
  Value objectWithString(std::string_view utf8);
  // Any value, scalars included. Absent on failure.
  Value fragmentWithString(std::string_view utf8);
  // No text at all (the "nil" input): error 12.
  Value objectWithNil();
};

class SBJsonWriter : public SBJsonBase {
 public:
  bool humanReadable = false;
  bool sortKeys = false;
  // Only an object or an array at the top. Nothing on failure.
  std::optional<std::string> stringWithObject(const Value& value);
  std::optional<std::string> stringWithObject(const JsonProxy& proxy);
  std::optional<std::string> stringWithFragment(const Value& value);
  std::optional<std::string> stringWithFragment(const JsonProxy& proxy);
};

// Facade holding one reader and one writer; options are forwarded to both.
class SBJSON {
 public:
  SBJSON();
  void setMaxDepth(unsigned maxDepth);
  unsigned maxDepth() const;
  void setHumanReadable(bool on);
  void setSortKeys(bool on);

  // Each takes an optional place for the last error of the trace.
  Value objectWithString(std::string_view utf8, std::shared_ptr<const Error>* error = nullptr);
  Value fragmentWithString(std::string_view utf8, std::shared_ptr<const Error>* error = nullptr);
  std::optional<std::string> stringWithObject(const Value& value,
                                              std::shared_ptr<const Error>* error = nullptr);
  std::optional<std::string> stringWithFragment(const Value& value,
                                                std::shared_ptr<const Error>* error = nullptr);

  SBJsonParser& parser() { return parser_; }
  SBJsonWriter& writer() { return writer_; }

 private:
  SBJsonParser parser_;
  SBJsonWriter writer_;
};

// Convenience operations over process-wide reader and writer with default options (compact,
// unsorted, depth limit 512). On failure they log "-JSONRepresentation failed. Error trace is:
// %@" (and likewise) and give nothing.
std::optional<std::string> JSONRepresentation(const Value& objectOrArray);
std::optional<std::string> JSONFragment(const Value& value);
Value JSONValue(std::string_view text);
Value JSONFragmentValue(std::string_view text);

}  // namespace kelda::json

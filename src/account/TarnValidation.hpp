// TarnValidation: a general rule-table validator, kept for forms that name their rules as data:
// a value is run through a list of rule names (each with an optional parameter), every failure
// adds the rule's message to the answer and is recorded under the caller's tag, and a delegate
// may be told which field failed with which messages. Rules may also be the caller's own
// checks, immediate or answered later (asynchronous).
//
// The account forms use MyAccountValidation; letters and digits here are those of Components'
// validators, so no character rule is written twice. One object per form; main thread only.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "json/Value.hpp"

namespace kelda::account {

class TarnValidation {
 public:
  // Told about a field's failed rules (after each validation, and when a late answer fails).
  class Delegate {
   public:
    virtual ~Delegate() = default;
    virtual void updateErrorField(const std::string& errorField,
                                  const std::vector<std::string>& errors) = 0;
  };
  // The caller's own check; `message` (when set) names its failure.
  struct CustomRule {
    std::function<bool(const json::Value&)> check;
    std::function<std::string()> message;
  };
  // A check answered later: `start` gets the value and the function to call with the result
  // and its message.
  struct AsyncRule {
    std::function<void(const json::Value&, std::function<void(bool, std::string)> complete)> start;
  };
  using Parameter = std::variant<std::monostate, long long, std::string, CustomRule, AsyncRule>;

  TarnValidation();

  Delegate* delegate = nullptr;
  // Rule name ("validateAlpha:") -> message of its failure.
  std::map<std::string, std::string> errorMessages;

  // Runs each named rule over `value`; the messages of the failed ones, in order. Unknown rule
  // names are skipped.
  std::vector<std::string> validateObject(const json::Value& value, int tag,
                                          const std::string& errorField,
                                          const std::vector<std::string>& rules);
  std::vector<std::string> validateObjectWithParamaters(
      const json::Value& value, int tag, const std::string& errorField,
      const std::vector<std::pair<std::string, Parameter>>& rules);

  // Failed rules recorded under `tag`; under every tag.
  int errorCountForTag(int tag) const;
  int errorCount() const;
  // Forgets every recorded result and every pending asynchronous check.
  void reset();

 private:
  bool run(const std::string& rule, const json::Value& value, const Parameter& parameter, int tag,
           const std::string& errorField);
  void record(int tag, const std::string& rule, bool passed);

  // tag -> rule -> passed
  std::map<int, std::map<std::string, bool>> results_;
  // Raised by reset and cancelAsync: answers of checks started before are dropped.
  unsigned long long asyncGeneration_ = 0;
};

}  // namespace kelda::account

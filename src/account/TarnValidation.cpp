#include "account/TarnValidation.hpp"

#include <algorithm>

#include "gateway/Components.hpp"
#include "gateway/FieldCharacters.hpp"

namespace kelda::account {
namespace {

using gateway::Components;

bool isAbsent(const json::Value& value) {
  return value.isAbsent() || value.isNull();
}

// The text a rule reads: "" for an absent value.
std::string_view textOf(const json::Value& value) {
  return value.text();
}

// Letters (and digits) of any script, and the listed extra characters only.
bool lettersDigitsAnd(const json::Value& value, bool digits, std::u32string_view extra) {
  return gateway::everyCharacter(textOf(value), [&](char32_t c) {
    return extra.find(c) != std::u32string_view::npos ||
           (digits ? gateway::isUnicodeLetterOrDigit(c) : gateway::isUnicodeLetter(c));
  });
}

}  // namespace

TarnValidation::TarnValidation()
    : errorMessages{{"validateAlpha:", "Letters only"},
                    {"validateAlphaSpaces:", "Letters and Spaces Only"},
                    {"validateAlphanumeric:", "Letters and Numbers Only"},
                    {"validateAlphanumericDash:", "Letters, Numbers and Dashes Only"},
                    {"validateName:", "Letters only"},
                    {"validateNotEmpty:", "Can't be empty"},
                    {"validateEmail:", "Invalid Email Address"},
                    {"validateMatchesConfirmation:", "Does not match confirmation"},
                    {"asyncValidationMethod:", ""},
                    {"customValidationMethod:", ""},
                    {"cancelAsync:", ""}} {}

std::vector<std::string> TarnValidation::validateObject(const json::Value& value, int tag,
                                                        const std::string& errorField,
                                                        const std::vector<std::string>& rules) {
  std::vector<std::pair<std::string, Parameter>> withParameters;
  for (const std::string& rule : rules) withParameters.emplace_back(rule, std::monostate{});
  return validateObjectWithParamaters(value, tag, errorField, withParameters);
}

std::vector<std::string> TarnValidation::validateObjectWithParamaters(
    const json::Value& value, int tag, const std::string& errorField,
    const std::vector<std::pair<std::string, Parameter>>& rules) {
  std::vector<std::string> errors;
  for (const auto& [rule, parameter] : rules) {
    if (!run(rule, value, parameter, tag, errorField)) errors.push_back(errorMessages[rule]);
  }
  if (delegate != nullptr) delegate->updateErrorField(errorField, errors);
  return errors;
}

bool TarnValidation::run(const std::string& rule, const json::Value& value,
                         const Parameter& parameter, int tag, const std::string& errorField) {
  bool passed = true;
  const std::string_view text = textOf(value);
  if (rule == "validateAlpha:") {
    passed = lettersDigitsAnd(value, false, U"");
  } else if (rule == "validateAlphaSpaces:") {
    passed = lettersDigitsAnd(value, false, U" ");
  } else if (rule == "validateAlphanumeric:") {
    passed = lettersDigitsAnd(value, true, U"");
  } else if (rule == "validateAlphanumericDash:") {
    passed = lettersDigitsAnd(value, true, U"-_.");
  } else if (rule == "validateName:") {
    passed = lettersDigitsAnd(value, true, U"'- ");
  } else if (rule == "validateNotEmpty:") {
    passed = !text.empty();
  } else if (rule == "validateEmail:") {
    passed = !isAbsent(value) && Components::sharedInstance().validateEmail(text);
  } else if (rule == "validateMatchesConfirmation:") {
    const auto* other = std::get_if<std::string>(&parameter);
    passed = other != nullptr && text == *other;
  } else if (rule == "validateMinimumLength:") {
    const auto* minimum = std::get_if<long long>(&parameter);
    const long long bound = minimum ? *minimum : 0;
    errorMessages[rule] = "Not longer than " + std::to_string(bound) + " characters";
    passed = static_cast<long long>(gateway::utf16Length(text)) >= bound;
  } else if (rule == "customValidationMethod:") {
    const auto* custom = std::get_if<CustomRule>(&parameter);
    passed = custom == nullptr || !custom->check || custom->check(value);
    if (!passed && custom->message) errorMessages[rule] = custom->message();
  } else if (rule == "asyncValidationMethod:") {
    const auto* async = std::get_if<AsyncRule>(&parameter);
    if (async != nullptr && async->start) {
      const unsigned long long generation = asyncGeneration_;
      async->start(value, [this, generation, tag, errorField](bool ok, std::string message) {
        if (generation != asyncGeneration_) return;
        record(tag, "asyncValidationMethod:", ok);
        if (!ok && delegate != nullptr) delegate->updateErrorField(errorField, {message});
      });
    }
    return true;
  } else if (rule == "cancelAsync:") {
    ++asyncGeneration_;
    return true;
  } else {
    return true;
  }
  record(tag, rule, passed);
  return passed;
}

void TarnValidation::record(int tag, const std::string& rule, bool passed) {
  results_[tag][rule] = passed;
}

int TarnValidation::errorCountForTag(int tag) const {
  const auto it = results_.find(tag);
  if (it == results_.end()) return 0;
  return static_cast<int>(std::count_if(it->second.begin(), it->second.end(),
                                        [](const auto& entry) { return !entry.second; }));
}

int TarnValidation::errorCount() const {
  int count = 0;
  for (const auto& [tag, rules] : results_) count += errorCountForTag(tag);
  return count;
}

void TarnValidation::reset() {
  results_.clear();
  ++asyncGeneration_;
}

}  // namespace kelda::account

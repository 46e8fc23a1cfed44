#include "json/SBJson.hpp"

namespace kelda::json {

namespace {

template <class T>
T withError(T result, const SBJsonBase& base, std::shared_ptr<const Error>* error) {
  if (error != nullptr) *error = base.lastError();
  return result;
}

}  // namespace

SBJSON::SBJSON() {
  setMaxDepth(512);
}

void SBJSON::setMaxDepth(unsigned depth) {
  parser_.maxDepth = depth;
  writer_.maxDepth = depth;
}

unsigned SBJSON::maxDepth() const {
  return parser_.maxDepth;
}

void SBJSON::setHumanReadable(bool on) {
  writer_.humanReadable = on;
}

void SBJSON::setSortKeys(bool on) {
  writer_.sortKeys = on;
}

Value SBJSON::objectWithString(std::string_view utf8, std::shared_ptr<const Error>* error) {
  return withError(parser_.objectWithString(utf8), parser_, error);
}

Value SBJSON::fragmentWithString(std::string_view utf8, std::shared_ptr<const Error>* error) {
  return withError(parser_.fragmentWithString(utf8), parser_, error);
}

std::optional<std::string> SBJSON::stringWithObject(const Value& value,
                                                    std::shared_ptr<const Error>* error) {
  return withError(writer_.stringWithObject(value), writer_, error);
}

std::optional<std::string> SBJSON::stringWithFragment(const Value& value,
                                                      std::shared_ptr<const Error>* error) {
  return withError(writer_.stringWithFragment(value), writer_, error);
}

}  // namespace kelda::json

#include <utility>

#include "json/SBJson.hpp"

namespace kelda::json {

Error::~Error() {
  // Unlink the chain from the front, so that each error dies with no underlying error left.
  std::shared_ptr<const Error> next = std::move(underlying);
  while (next && next.use_count() == 1) {
    std::shared_ptr<const Error> after = std::move(const_cast<Error&>(*next).underlying);
    next = std::move(after);
  }
}

std::string describe(const Error& error) {
  return std::string("Error Domain=") + kErrorDomain + " Code=" + std::to_string(error.code) +
         " \"" + error.description + "\"";
}

std::string describeTrace(const std::vector<std::shared_ptr<const Error>>& trace) {
  if (trace.empty()) return "()";
  std::string out = "(\n";
  for (std::size_t i = 0; i < trace.size(); ++i) {
    out += "    " + describe(*trace[i]);
    out += i + 1 < trace.size() ? ",\n" : "\n";
  }
  out += ")";
  return out;
}

std::shared_ptr<const Error> SBJsonBase::lastError() const {
  return errorTrace_.empty() ? nullptr : errorTrace_.back();
}

void SBJsonBase::clearTrace() {
  while (!errorTrace_.empty()) errorTrace_.pop_back();
}

void SBJsonBase::addError(int code, std::string description) {
  auto error = std::make_shared<Error>();
  error->code = code;
  error->description = std::move(description);
  error->underlying = lastError();
  errorTrace_.push_back(std::move(error));
}

}  // namespace kelda::json

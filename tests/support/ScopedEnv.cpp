#include "support/ScopedEnv.hpp"

#include <cstdlib>
#include <utility>

#include "support/FakeMiddleware.hpp"

namespace kelda::test {
namespace {

void setOrUnset(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    ::setenv(name.c_str(), value->c_str(), 1);
  } else {
    ::unsetenv(name.c_str());
  }
}

}  // namespace

ScopedEnv::ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
  if (const char* previous = std::getenv(name_.c_str())) previous_ = previous;
  setOrUnset(name_, value);
}

ScopedEnv::~ScopedEnv() {
  setOrUnset(name_, previous_);
}

MiddlewareOverride::MiddlewareOverride(const FakeMiddleware& server)
    : env_("KELDA_MIDDLEWARE", server.address()) {}

}  // namespace kelda::test

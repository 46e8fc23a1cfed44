#include "gateway/Wire.hpp"

#include <cstdlib>

#include "kelda/Config.hpp"

namespace kelda::gateway {

std::string encodeFormValue(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    switch (c) {
      case '%': out += "%25"; break;
      case '&': out += "%26"; break;
      case '+': out += "%2B"; break;
      default: out += c;
    }
  }
  return out;
}

std::string formatBody(std::string_view format, std::initializer_list<std::string_view> values) {
  std::string out;
  out.reserve(format.size() + 32);
  auto next = values.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '@') {
      if (next != values.end()) out += encodeFormValue(*next++);
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

namespace {
std::string setting(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  return value != nullptr ? std::string(value) : std::string(fallback);
}
}  // namespace

std::string middlewareAddress() { return setting("KELDA_MIDDLEWARE", config::kMiddleware); }
std::string ctrAddress() { return setting("KELDA_CTR_ADDRESS", config::kCtrAddress); }
std::string webHost() { return setting("KELDA_WEB_HOST", config::kWebHost); }

}  // namespace kelda::gateway

#include "FormFields.hpp"

#include "Text.hpp"

namespace kelda::server {
namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string FormFields::decode(std::string_view component) {
  std::string out;
  out.reserve(component.size());
  for (std::size_t i = 0; i < component.size(); ++i) {
    const char c = component[i];
    if (c == '+') {
      out.push_back(' ');
    } else if (c == '%' && i + 2 < component.size() && hexDigit(component[i + 1]) >= 0 &&
               hexDigit(component[i + 2]) >= 0) {
      out.push_back(
          static_cast<char>(hexDigit(component[i + 1]) * 16 + hexDigit(component[i + 2])));
      i += 2;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

FormFields FormFields::parse(std::string_view body) {
  FormFields form;
  std::size_t start = 0;
  while (start <= body.size()) {
    std::size_t end = body.find('&', start);
    if (end == std::string_view::npos) end = body.size();
    const std::string_view pair = body.substr(start, end - start);
    if (!pair.empty()) {
      const std::size_t eq = pair.find('=');
      std::string name = decode(pair.substr(0, eq));
      std::string value =
          eq == std::string_view::npos ? std::string() : decode(pair.substr(eq + 1));
      if (!name.empty()) form.fields_[std::move(name)] = std::move(value);
    }
    start = end + 1;
  }
  return form;
}

bool FormFields::has(std::string_view name) const {
  return fields_.find(name) != fields_.end();
}

std::string FormFields::get(std::string_view name) const {
  auto it = fields_.find(name);
  return it == fields_.end() ? std::string() : it->second;
}

std::string FormFields::trimmed(std::string_view name) const {
  std::string value = get(name);
  const auto first = value.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = value.find_last_not_of(" \t\r\n");
  return value.substr(first, last - first + 1);
}

std::optional<long long> pageNumberOf(const FormFields& form, std::string_view name,
                                      long long highest) {
  const std::string text = form.trimmed(name);
  if (text.find_first_of("0123456789") == std::string::npos) return 1;
  return parseBounded(text, 1, highest);
}

}  // namespace kelda::server

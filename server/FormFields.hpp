// FormFields: the name=value pairs of a form-encoded request body or URL query.
//
// Decoding is the standard one ("%XX" escapes and "+" as a blank) made tolerant of what the
// client really sends: raw blanks, raw UTF-8, JSON texts with their quotes and braces, a leading
// "&" and empty pairs. A malformed escape ("%", "%4", "%zz") is kept as it stands. When a name
// occurs twice the last value wins. Plain value type; any thread.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kelda::server {

class FormFields {
 public:
  FormFields() = default;

  // Splits at "&", then each pair at its first "=" (a pair without "=" has the empty value).
  static FormFields parse(std::string_view body);
  // Decodes one component: "%XX" to its byte, "+" to a blank, anything else unchanged.
  static std::string decode(std::string_view component);

  bool has(std::string_view name) const;
  // The decoded value, or the empty text when the field is absent.
  std::string get(std::string_view name) const;
  // The value with blanks trimmed at both ends.
  std::string trimmed(std::string_view name) const;
  const std::map<std::string, std::string, std::less<>>& all() const { return fields_; }

 private:
  std::map<std::string, std::string, std::less<>> fields_;
};

// A page number field: 1 when absent or when it holds no digits at all (the client may send
// "(null)" for a page it never received), the number when it lies in [1, highest], and nothing
// (the caller refuses the request) for any other number.
std::optional<long long> pageNumberOf(const FormFields& form, std::string_view name,
                                      long long highest);

}  // namespace kelda::server

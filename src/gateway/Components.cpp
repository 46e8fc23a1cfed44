#include "gateway/Components.hpp"

#include <re2/re2.h>
#include <unicode/uchar.h>

#include "gateway/FieldCharacters.hpp"
#include "gateway/StoredLogin.hpp"
#include "platform/Context.hpp"
#include "platform/Log.hpp"
#include "ui/AlertView.hpp"

namespace kelda::gateway {
namespace {

bool isAbsent(const json::Value& text) {
  return text.isAbsent() || text.isNull();
}

bool isUnicodeLetter(char32_t c) {
  return (U_GET_GC_MASK(static_cast<UChar32>(c)) & (U_GC_L_MASK | U_GC_M_MASK)) != 0;
}

bool isUnicodeLetterOrDigit(char32_t c) {
  return (U_GET_GC_MASK(static_cast<UChar32>(c)) & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK)) != 0;
}

}  // namespace

Components& Components::sharedInstance() {
  return platform::shared<Components>();
}

void Components::showAlertWithMessage(const std::string& message) {
  ui::showAlert(ui::AlertView{"", message, {"OK"}, 0, nullptr});
}

bool Components::saveLoginAccount(const std::string& account) {
  const bool written = writeStoredLogin(account);
  if (!written)
    log::warning("-[Components saveLoginAccount:]", "the stored log-in was not written");
  return written;
}

bool Components::validateEmail(std::string_view text) const {
  // RE2 matches in linear time, so no text can make the check hang.
  static const RE2 kEmail("[A-Z0-9a-z._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,4}");
  return RE2::FullMatch(text, kEmail);
}

bool Components::validateStringInCharacterSet(std::string_view text,
                                              const std::function<bool(char32_t)>& inSet) const {
  return everyCharacter(text, inSet);
}

bool Components::validateAlpha(std::string_view text) const {
  return validateStringInCharacterSet(text, isUnicodeLetter);
}

bool Components::validateAlphanumeric(std::string_view text) const {
  return validateStringInCharacterSet(text, isUnicodeLetterOrDigit);
}

bool Components::isDigitContainsString(const json::Value& text) const {
  if (isAbsent(text)) return false;
  return !everyCharacter(text.text(), isAsciiDigit);
}

bool Components::isStringContainsDigit(const json::Value& text) const {
  if (isAbsent(text) || text.text().empty()) return true;
  return !everyCharacter(text.text(), [](char32_t c) { return !isAsciiDigit(c); });
}

}  // namespace kelda::gateway

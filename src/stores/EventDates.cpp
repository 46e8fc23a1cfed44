#include "stores/EventDates.hpp"

#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <memory>

namespace kelda::stores {
namespace {

// The date in `pattern`, with English month names whatever the process's locale.
std::string formatted(ui::DatePicker::TimePoint date, const char* pattern) {
  UErrorCode status = U_ZERO_ERROR;
  icu::SimpleDateFormat format(icu::UnicodeString::fromUTF8(pattern), icu::Locale("en_US_POSIX"),
                               status);
  if (U_FAILURE(status)) return {};
  format.adoptTimeZone(icu::TimeZone::createTimeZone("Etc/UTC"));
  icu::UnicodeString text;
  const auto milliseconds = static_cast<UDate>(date.time_since_epoch().count()) * 1000.0;
  format.format(milliseconds, text);
  std::string out;
  text.toUTF8String(out);
  return out;
}

}  // namespace

std::string eventButtonText(ui::DatePicker::TimePoint date) {
  return formatted(date, "MMM d, y");
}

std::string eventRequestText(ui::DatePicker::TimePoint date) {
  return formatted(date, "d MMM, y");
}

}  // namespace kelda::stores

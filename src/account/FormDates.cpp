#include "account/FormDates.hpp"

#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <memory>

namespace kelda::account {
namespace {

constexpr const char* kPattern = "MMM d, yyyy";

using Milliseconds = std::chrono::duration<double, std::milli>;

UDate toUDate(std::chrono::system_clock::time_point time) {
  return std::chrono::duration_cast<Milliseconds>(time.time_since_epoch()).count();
}

// A formatter of kPattern in English, UTC. ICU formatters are not safe to share between
// threads, so each call makes its own.
std::unique_ptr<icu::SimpleDateFormat> formatter() {
  UErrorCode status = U_ZERO_ERROR;
  auto format = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(kPattern),
                                                        icu::Locale("en_US_POSIX"), status);
  if (U_FAILURE(status)) return nullptr;
  format->setTimeZone(*icu::TimeZone::getGMT());
  // Strict: the calendar refuses days that do not exist instead of rolling them over.
  format->setLenient(false);
  return format;
}

}  // namespace

std::string formatFormDate(std::chrono::sys_days day) {
  auto format = formatter();
  if (!format) return {};
  icu::UnicodeString text;
  format->format(toUDate(day), text);
  std::string out;
  return text.toUTF8String(out);
}

std::optional<std::chrono::sys_days> parseFormDate(std::string_view text) {
  auto format = formatter();
  if (!format || text.empty()) return std::nullopt;
  const icu::UnicodeString input = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  icu::ParsePosition position(0);
  const UDate parsed = format->parse(input, position);
  if (position.getErrorIndex() >= 0 || position.getIndex() != input.length()) return std::nullopt;
  const auto time = std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(Milliseconds(parsed)));
  return std::chrono::floor<std::chrono::days>(time);
}

long long wholeDaysSince(std::chrono::sys_days day, std::chrono::system_clock::time_point now) {
  UErrorCode status = U_ZERO_ERROR;
  icu::GregorianCalendar calendar(*icu::TimeZone::getGMT(), status);
  if (U_FAILURE(status)) return 0;
  calendar.setTime(toUDate(day), status);
  const int32_t days = calendar.fieldDifference(toUDate(now), UCAL_DATE, status);
  return U_FAILURE(status) ? 0 : days;
}

}  // namespace kelda::account

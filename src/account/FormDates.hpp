// FormDates: the dates the account forms read and write as text: birth dates ("Jan 1, 2000",
// the medium date style in English) and the age count. Dates are calendar days in the Gregorian
// calendar at midnight UTC, as the date picker gives them. Stateless; any thread.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace kelda::account {

// The text of a form date: "MMM d, yyyy" in English ("Jan 1, 2000").
std::string formatFormDate(std::chrono::sys_days day);

// The day `text` names in the pattern "MMM d, yyyy" (English month names; the day with one or
// two digits). The whole text must be read, and the day must exist in the Gregorian calendar:
// "Feb 29, 2011" and "Apr 31, 2000" give nothing.
std::optional<std::chrono::sys_days> parseFormDate(std::string_view text);

// Whole days from midnight of `day` to `now` (negative when `day` lies ahead).
long long wholeDaysSince(std::chrono::sys_days day, std::chrono::system_clock::time_point now);

}  // namespace kelda::account

// EventDates: the texts of the date chosen on the store events screen, made with ICU in the
// Gregorian calendar and UTC (the date picker's calendar days).
//
// The button shows "%@ %@, %d": the month abbreviation ("Jan" to "Dec"), the day and the year,
// e.g. "Dec 8, 2026". The request carries "%d %@" and "%@, %@": day, month abbreviation and
// year, e.g. "8 Dec, 2026", a form the middleware reads. Any thread.
#pragma once

#include <string>

#include "ui/DatePicker.hpp"

namespace kelda::stores {

std::string eventButtonText(ui::DatePicker::TimePoint date);
std::string eventRequestText(ui::DatePicker::TimePoint date);

}  // namespace kelda::stores

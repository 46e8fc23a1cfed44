#include "ui/DatePicker.hpp"

#include <cstdio>

namespace kelda::ui {

namespace {
using std::chrono::days;
using std::chrono::floor;
using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::sys_days;
using std::chrono::year_month_day;

// The number written by `count` decimal digits at `pos`, or nothing.
std::optional<int> digits(const std::string& text, std::size_t pos, std::size_t count) {
  int value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}
}  // namespace

DatePicker::DatePicker() : date_(today()) {}

DatePicker::TimePoint DatePicker::today() {
  return TimePoint(floor<days>(std::chrono::system_clock::now()));
}

void DatePicker::setDate(TimePoint date) {
  if (minimumDate && date < *minimumDate) date = *minimumDate;
  if (maximumDate && date > *maximumDate) date = *maximumDate;
  date_ = date;
}

void DatePicker::pickDate(TimePoint date) {
  setDate(date);
  if (valueChanged) valueChanged(*this);
}

bool DatePicker::pressDone() {
  if (!showsToolbar) return false;
  auto keep = shared_from_this();  // Done usually dismisses the picker
  if (done) done(*this);
  return true;
}

bool DatePicker::pressCancel() {
  if (!showsToolbar) return false;
  auto keep = shared_from_this();
  if (cancel) cancel(*this);
  return true;
}

std::string DatePicker::format(TimePoint date, DatePickerMode mode) {
  auto day = floor<days>(date);
  year_month_day ymd{day};
  auto minutesOfDay = floor<minutes>(date - day).count();
  char text[40];
  if (mode == DatePickerMode::Time) {
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(minutesOfDay / 60),
                  static_cast<int>(minutesOfDay % 60));
  } else if (mode == DatePickerMode::Date) {
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  } else {
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                  static_cast<int>(minutesOfDay / 60), static_cast<int>(minutesOfDay % 60));
  }
  return text;
}

std::optional<DatePicker::TimePoint> DatePicker::parse(const std::string& text) {
  if (text.size() != 10 && text.size() != 16) return std::nullopt;
  if (text[4] != '-' || text[7] != '-') return std::nullopt;
  auto y = digits(text, 0, 4), mo = digits(text, 5, 2), d = digits(text, 8, 2);
  if (!y || !mo || !d) return std::nullopt;
  year_month_day ymd{std::chrono::year(*y), std::chrono::month(static_cast<unsigned>(*mo)),
                     std::chrono::day(static_cast<unsigned>(*d))};
  if (!ymd.ok()) return std::nullopt;
  TimePoint result{sys_days(ymd)};
  if (text.size() == 16) {
    if ((text[10] != ' ' && text[10] != 'T') || text[13] != ':') return std::nullopt;
    auto h = digits(text, 11, 2), min = digits(text, 14, 2);
    if (!h || !min || *h > 23 || *min > 59) return std::nullopt;
    result += hours(*h) + minutes(*min);
  }
  return result;
}

}  // namespace kelda::ui

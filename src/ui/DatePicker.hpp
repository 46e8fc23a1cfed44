// DatePicker: a date (and/or time) wheel with optional earliest and latest dates and an
// optional toolbar with Done and Cancel. Dates are calendar days in UTC at midnight in date
// mode. Main thread only.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "ui/View.hpp"

namespace kelda::ui {

enum class DatePickerMode { Date, Time, DateAndTime };

class DatePicker : public View {
 public:
  using TimePoint = std::chrono::sys_seconds;
  using Callback = std::function<void(DatePicker&)>;

  DatePicker();
  ViewKind kind() const override { return ViewKind::DatePicker; }

  // Sets the date, clamped to the earliest/latest dates, without calling valueChanged.
  void setDate(TimePoint date);
  // What a person's turn does: setDate, then valueChanged.
  void pickDate(TimePoint date);
  TimePoint date() const { return date_; }

  // Toolbar buttons (shown when showsToolbar). Each returns false when there is no toolbar.
  bool pressDone();
  bool pressCancel();

  // "YYYY-MM-DD", "HH:MM" or "YYYY-MM-DD HH:MM" (by mode) for a date. parse accepts
  // "YYYY-MM-DD", "YYYY-MM-DD HH:MM" and "YYYY-MM-DDTHH:MM" (UTC) and gives nothing for anything
  // else, impossible days included.
  static std::string format(TimePoint date, DatePickerMode mode);
  static std::optional<TimePoint> parse(const std::string& text);
  // Today at midnight UTC.
  static TimePoint today();

  DatePickerMode mode = DatePickerMode::Date;
  std::optional<TimePoint> minimumDate;
  std::optional<TimePoint> maximumDate;
  bool showsToolbar = false;
  Callback valueChanged;
  Callback done;
  Callback cancel;

 private:
  TimePoint date_;
};

}  // namespace kelda::ui

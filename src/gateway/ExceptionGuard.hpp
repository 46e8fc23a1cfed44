// The exception guard around gateway operations and screen actions: an exception escaping
// the guarded code is written to the log as "operation:description" and shown to the shopper
// as an alert (the title, the description, one button "OK"); it never travels further.
// May be used on any thread (the alert is presented on the main thread).
#pragma once

#include <functional>
#include <string_view>

namespace kelda::gateway {

inline constexpr std::string_view kExceptionAlertTitle = "Exception !";

// Runs `fn`. Answers true when it returned normally, false when an exception was caught and
// reported. `operation` is the full name shown in the log, e.g. "-[TarnServerAPIs sign:password:]".
bool guarded(std::string_view operation, const std::function<void()>& fn,
             std::string_view title = kExceptionAlertTitle);

// The report of one caught exception: the log line and the alert.
void reportException(std::string_view operation, std::string_view description,
                     std::string_view title = kExceptionAlertTitle);

}  // namespace kelda::gateway

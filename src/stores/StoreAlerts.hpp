// The alerts of the store screens: the messages they share and the one-button alert with a
// title of its own. Any thread (alerts are presented on the main thread).
#pragma once

#include <string>

namespace kelda::stores {

inline constexpr const char* kSorryTitle = "Sorry!";
// A request that went out but brought no usable answer (none, or not JSON): nothing earlier
// is shown in its place.
inline constexpr const char* kNoAnswerMessage =
    "The store service did not answer. Please try again later.";

// An alert with `title`, `message` and one button "OK".
void showAlert(const std::string& title, const std::string& message);

}  // namespace kelda::stores

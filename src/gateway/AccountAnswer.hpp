// AccountAnswer: the one judge of the middleware's account answers (sign-in, registration and
// every account edit). An account answer carries "status", an array whose element 0 holds
// "success" and "error". Stateless; any thread.
#pragma once

#include <optional>
#include <string>

#include "json/Value.hpp"

namespace kelda::gateway {

struct AccountAnswer {
  // The text that marks an accepted request.
  static constexpr const char* kAuthenticated = "AUTHENTICATED";

  // status[0], or absent when the answer has none.
  static json::Value status(const json::Value& answer);
  // True exactly when status[0]."success" is the text "AUTHENTICATED" (case matters).
  static bool isAuthenticated(const json::Value& answer);
  // status[0]."error" when it is a text longer than one character (counted in characters, not
  // bytes); nothing otherwise. Only refused answers have a message worth showing.
  static std::optional<std::string> errorToShow(const json::Value& answer);
  // Shows errorToShow() of a refused answer in an alert with an empty title and "OK"; does
  // nothing for an accepted answer or one without a message. Any thread.
  static void showErrorIfAny(const json::Value& answer);
};

}  // namespace kelda::gateway

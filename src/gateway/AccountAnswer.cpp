#include "gateway/AccountAnswer.hpp"

#include <cstddef>
#include <string_view>

#include "ui/AlertView.hpp"

namespace kelda::gateway {
namespace {

// Characters of a UTF-8 text: every byte that does not continue a sequence starts one.
std::size_t characterCount(std::string_view text) {
  std::size_t count = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace

json::Value AccountAnswer::status(const json::Value& answer) {
  return answer["status"][0];
}

bool AccountAnswer::isAuthenticated(const json::Value& answer) {
  const json::Value success = status(answer)["success"];
  return success.isString() && success.text() == kAuthenticated;
}

std::optional<std::string> AccountAnswer::errorToShow(const json::Value& answer) {
  if (isAuthenticated(answer)) return std::nullopt;
  const json::Value error = status(answer)["error"];
  if (!error.isString() || characterCount(error.text()) <= 1) return std::nullopt;
  return error.str();
}

void AccountAnswer::showErrorIfAny(const json::Value& answer) {
  if (auto message = errorToShow(answer)) {
    ui::showAlert(ui::AlertView{"", *message, {"OK"}, 0, nullptr});
  }
}

}  // namespace kelda::gateway

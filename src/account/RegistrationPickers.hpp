// RegistrationPickers: the picker rows of the registration form: birth date, gender, state
// (shipping or billing), card type and card expiry. Each picker slides up in the window with
// Done and Cancel; Done stores the choice in the profile record, Cancel stores nothing. The
// row's button always shows what the profile record holds, so what is shown is what is sent.
// Owned by the registration screen; main thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "account/FormCells.hpp"
#include "ui/DatePicker.hpp"
#include "ui/PickerView.hpp"

namespace kelda::account {

class RegistrationPickers {
 public:
  // Month names of the expiry picker.
  static constexpr const char* kMonths[] = {"Jan",  "Feb", "Mar", "Apr", "May", "June",
                                            "July", "Aug", "Sep", "Oct", "Nov", "Dec"};

  // `stored` runs after Done stored a value (the screen redraws its rows).
  explicit RegistrationPickers(std::function<void()> stored);

  void showBirthDate();
  void showGender();
  // The state picker for `state` or `billingState`.
  void showState(ProfileGetter get, ProfileSetter set);
  // Done also runs cardTypeChosen (the cursor moves on to the card number).
  void showCardType();
  void showExpiry();
  std::function<void()> cardTypeChosen;

  // The texts stored before any choice: "Jan 01, <year>", "Male", "Visa", "Jan, <year>".
  static std::string defaultBirthDate();
  static std::string defaultExpirationDate();
  // What the expiry button shows for a stored expiry: "%@, %@" of month and year.
  static std::string expiryTitle(const json::Value& stored);

 private:
  void present(std::shared_ptr<ui::View> picker);
  void dismiss();

  std::function<void()> stored_;
  std::shared_ptr<ui::DatePicker> birthDate_;
  std::shared_ptr<ui::PickerView> gender_;
  std::shared_ptr<ui::PickerView> state_;
  std::shared_ptr<ui::PickerView> cardType_;
  std::shared_ptr<ui::PickerView> expiry_;
  ProfileSetter stateSetter_ = nullptr;
};

}  // namespace kelda::account

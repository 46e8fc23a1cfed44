#include "account/RegistrationPickers.hpp"

#include <algorithm>
#include <chrono>
#include <vector>

#include "account/FormDates.hpp"
#include "gateway/ResourceTables.hpp"
#include "ui/Window.hpp"

namespace kelda::account {
namespace {

using gateway::UserProfileDetails;

UserProfileDetails& form() {
  return UserProfileDetails::sharedUserProfileObject();
}

int currentYear() {
  const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  return static_cast<int>(std::chrono::year_month_day(today).year());
}

// State names as the picker lists them, in alphabetical order.
std::vector<std::string> stateNames() {
  std::vector<std::string> names;
  for (auto [code, name] : gateway::usStatesTable().members()) names.push_back(name.str());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> cardTypeNames() {
  std::vector<std::string> names;
  for (const json::Value& type : form().creditCardTypes().items()) {
    names.push_back(type["ccName"].str());
  }
  return names;
}

std::string selectedTitle(const ui::PickerView& picker, int component) {
  return picker.titleForRow(picker.selectedRowInComponent(component), component);
}

std::shared_ptr<ui::PickerView> wheels(std::vector<std::vector<std::string>> components) {
  auto picker = std::make_shared<ui::PickerView>(std::move(components));
  picker->showsToolbar = true;
  return picker;
}

}  // namespace

RegistrationPickers::RegistrationPickers(std::function<void()> stored)
    : stored_(std::move(stored)) {}

std::string RegistrationPickers::defaultBirthDate() {
  return "Jan 01, " + std::to_string(currentYear());
}

std::string RegistrationPickers::defaultExpirationDate() {
  return "Jan, " + std::to_string(currentYear());
}

std::string RegistrationPickers::expiryTitle(const json::Value& stored) {
  std::string text = stored.str();
  const std::size_t day = text.find(" 01, ");
  if (day != std::string::npos) text.replace(day, 5, ", ");
  return text;
}

void RegistrationPickers::present(std::shared_ptr<ui::View> picker) {
  ui::Window::shared().endEditing();
  ui::Window::shared().presentPicker(std::move(picker));
}

void RegistrationPickers::dismiss() {
  ui::Window::shared().dismissPicker();
}

void RegistrationPickers::showBirthDate() {
  birthDate_ = std::make_shared<ui::DatePicker>();
  birthDate_->showsToolbar = true;
  birthDate_->maximumDate = ui::DatePicker::today();
  birthDate_->setDate(ui::DatePicker::today());
  birthDate_->done = [this](ui::DatePicker& picker) {
    form().setBirthDate(formatFormDate(std::chrono::floor<std::chrono::days>(picker.date())));
    dismiss();
    stored_();
  };
  birthDate_->cancel = [this](ui::DatePicker&) { dismiss(); };
  present(birthDate_);
}

void RegistrationPickers::showGender() {
  if (!gender_) {
    gender_ = wheels({{"Male", "Female"}});
    gender_->done = [this](ui::PickerView& picker) {
      form().setGender(selectedTitle(picker, 0));
      dismiss();
      stored_();
    };
    gender_->cancel = [this](ui::PickerView&) { dismiss(); };
  }
  present(gender_);
}

void RegistrationPickers::showState(ProfileGetter get, ProfileSetter set) {
  if (!state_) {
    state_ = wheels({stateNames()});
    state_->done = [this](ui::PickerView& picker) {
      const std::string name = selectedTitle(picker, 0);
      if (stateSetter_ != nullptr && !name.empty()) (form().*stateSetter_)(json::Value(name));
      dismiss();
      stored_();
    };
    state_->cancel = [this](ui::PickerView&) { dismiss(); };
  }
  stateSetter_ = set;
  // The wheel starts at the state already chosen for this field.
  const auto& names = state_->components().front();
  const auto chosen = std::find(names.begin(), names.end(), (form().*get)().str());
  state_->selectRow(chosen == names.end() ? 0 : static_cast<int>(chosen - names.begin()), 0);
  present(state_);
}

void RegistrationPickers::showCardType() {
  if (!cardType_) {
    cardType_ = wheels({});
    cardType_->done = [this](ui::PickerView& picker) {
      const std::string name = selectedTitle(picker, 0);
      if (!name.empty()) form().setCardType(json::Value(name));
      dismiss();
      stored_();
      if (cardTypeChosen) cardTypeChosen();
    };
    // Cancel turns the wheel back to the first card type and keeps the stored one.
    cardType_->cancel = [this](ui::PickerView& picker) {
      picker.selectRow(0, 0);
      dismiss();
    };
  }
  cardType_->setComponents({cardTypeNames()});
  present(cardType_);
}

void RegistrationPickers::showExpiry() {
  if (!expiry_) {
    std::vector<std::string> months(std::begin(kMonths), std::end(kMonths));
    std::vector<std::string> years;
    for (int year = currentYear(), last = year + 9; year <= last; ++year) {
      years.push_back(std::to_string(year));
    }
    expiry_ = wheels({months, years});
    expiry_->done = [this](ui::PickerView& picker) {
      form().setExpirationDate(selectedTitle(picker, 0) + " 01, " + selectedTitle(picker, 1));
      dismiss();
      stored_();
    };
    // Cancel forgets the partial choice.
    expiry_->cancel = [this](ui::PickerView& picker) {
      picker.selectRow(0, 0);
      picker.selectRow(0, 1);
      dismiss();
    };
  }
  present(expiry_);
}

}  // namespace kelda::account

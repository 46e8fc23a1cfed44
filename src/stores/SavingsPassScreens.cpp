#include "stores/SavingsPassScreens.hpp"

#include "stores/InStoreSavingPassViewController.hpp"
#include "stores/NoInStoreSavingPassViewController.hpp"

namespace kelda::stores {

bool answerHasSavingsPass(const json::Value& answer) {
  const json::Value success = answer["success"];
  return (success.isNumber() || success.isString()) && success.intValue() == 1;
}

std::shared_ptr<ui::ViewController> savingsPassScreenFor(const json::Value& answer) {
  if (answerHasSavingsPass(answer)) {
    return std::make_shared<InStoreSavingPassViewController>(answer["data"]);
  }
  return std::make_shared<NoInStoreSavingPassViewController>();
}

}  // namespace kelda::stores

// The choice between the savings pass and the notice that there is none, made from a savings
// pass answer: the pass when the integer value of its "success" is 1 (the number 1 or the
// text "1"), the notice for anything else. Main thread only.
#pragma once

#include <memory>

#include "json/Value.hpp"
#include "ui/ViewController.hpp"

namespace kelda::stores {

bool answerHasSavingsPass(const json::Value& answer);
// A new pass screen with the answer's "data", or a new notice screen.
std::shared_ptr<ui::ViewController> savingsPassScreenFor(const json::Value& answer);

}  // namespace kelda::stores

// BagRules: the rules the bag screen applies to its lines and to the last order answer: the
// availability notices of a line, and the one shipping method every line can ship with.
// Stateless functions of decoded values; any thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "json/Value.hpp"

namespace kelda::bag {

// The three notices of a line that the last order answer (`orderResult`) lists under
// "upcAvailability" for the line's "UpcNumber"; empty when it does not list it. The methods
// the line can ship with are named by `shippingOptionCode` ("Standard" → code) where a code
// is known, else shown as the code.
std::vector<std::string> availabilityNotices(const json::Value& record,
                                             const json::Value& orderResult,
                                             const json::Value& shippingOptionCode);

// The availability entry of a line in the last order answer (absent when none).
json::Value availabilityEntry(const json::Value& record, const json::Value& orderResult);

// The name of the first of Standard, Premium, Express whose code (from `shippingOptionCode`;
// "G", "O" and "2" when the totals gave none) every line can ship with: for each line the first
// code the order answer lists for it, or else the line's own "ShippingOptions". Absent when no
// method serves every line.
std::optional<std::string> commonShippingMethod(const json::Value& records,
                                                const json::Value& orderResult,
                                                const json::Value& shippingOptionCode);

// The texts of a list stored as one text, split at ",".
std::vector<std::string> splitAtComma(const std::string& text);

}  // namespace kelda::bag

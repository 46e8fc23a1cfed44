// RefinementRules: how the refinements chosen on the refinement screen become the refinements
// a narrowed category request sends, given those the server applied to the list shown.
//
// Pure functions over immutable values; callable from any thread. Refinements are JSON objects
// from refinement name ("BRAND", "PRICE", "COLOR", ...) to value text.
#pragma once

#include <string>

#include "json/Value.hpp"

namespace kelda::catalogue {

// The refinements the server applied to a result answer: its "appliedRefinements" text read as
// a JSON object; the empty object when the text is absent or holds no object.
json::Value appliedRefinements(const json::Value& answer);

// The refinements a narrowed category request sends for the shopper's choices:
// - a chosen brand equal to the applied one keeps the applied price when no price is chosen
//   (a chosen price stays: what the screen shows is what is sent);
// - another brand is sent with the chosen price only, without the other choices;
// - a price without a brand is sent as chosen;
// - otherwise the applied refinements are added to the choices (applied values win).
json::Value combineRefinements(const json::Value& chosen, const json::Value& applied);

// The refinements as compact JSON text (the body encodes it like any other value).
std::string refinementsText(const json::Value& refinements);

}  // namespace kelda::catalogue

// The choice lists a product answer gives the shared state: the size, colour and type arrays
// and the attribute names from "prod_attributes" and "prodAttrKey", and the quantity choices
// "1" up to "data"[0]."maxQuantity". The product requests store them with each answer; a product
// page puts its own back when it returns to the screen. Any thread (the shared state is
// synchronised).
#pragma once

#include "json/Value.hpp"

namespace kelda::product {

// The quantity wheel offers at most this many choices, whatever "maxQuantity" says: a huge
// value must not build a list of millions of texts.
inline constexpr long long kMaxQuantityChoices = 999;

// Clears sizeArray, colorArray, typeArray and prodAtrributeArray, then sets them from `answer`
// ("prodAttrKey" when not empty; the "SIZE", "COLOR" and "TYPE" entries of "prod_attributes").
void storeAttributeLists(const json::Value& answer);
// Sets qtyArray to "1" .. the integer value of "maxQuantity" (none for 0 or less).
void storeQuantityChoices(const json::Value& answer);

}  // namespace kelda::product

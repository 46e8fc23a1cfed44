// The sections the main and details pages of a product page share: the selection rows with
// "ADD TO BAG", "FIND IT IN STORE" and the call row, and the shipping-and-returns texts with
// the "Pricing policy." link. Built from the container's choice and the shown product answer.
// Main thread only.
#pragma once

#include <optional>
#include <string>

#include "json/Value.hpp"
#include "product/PDPViewsDelegate.hpp"
#include "product/RowTableController.hpp"

namespace kelda::product {

// The rows "size:", "color:", "type:" (each only when offered), "quantity:", the two buttons
// and, when "CLICK_TO_CALL" is "Y", the call row whose button is titled `callTitle`. `page` is
// the asking page (0 main, 1 details).
TableSection choiceSection(PDPViewsDelegate& container, int page, const json::Value& answer,
                           const std::string& callTitle);

// The entries of "shippingReturnText" ending with the pricing policy link; nothing when the
// product has none.
std::optional<TableSection> shippingSection(PDPViewsDelegate& container, int page,
                                            const json::Value& product);

}  // namespace kelda::product

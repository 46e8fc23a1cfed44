// restoreShownProduct: what a product page does when it comes back on screen. Screens over it
// (a child product, another product opened from elsewhere) replace the shared
// productDescriptionList; the page's own answer becomes the shared product again, with its
// size, colour, type and quantity lists, so that its rows and its bag lines are its own. When
// the shared answer is still the page's product (perhaps carrying a later page of reviews),
// the page takes it as its own instead.
//
// Main thread (the shared state is synchronised; the page's answer is the caller's).
#pragma once

#include "json/Value.hpp"

namespace kelda::product {

void restoreShownProduct(json::Value& own);

}  // namespace kelda::product

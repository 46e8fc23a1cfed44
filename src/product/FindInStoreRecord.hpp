// FindInStoreRecord: what a product page hands to the find-in-store screen for the chosen
// article: "Title", "Price" (the article's unit price, two decimals), "Color" and "Size" (their
// placeholders when not chosen), "Image Data" (the product picture when it was downloaded this
// run, else empty) and "upcNumber" (the article's "setUpcNumber").
//
// Plain values; main thread (reads the image cache, which any thread may).
#pragma once

#include <string>

#include "json/Value.hpp"
#include "product/ArticleFacts.hpp"
#include "product/ProductChoice.hpp"

namespace kelda::product {

// Shown when the chosen article has no UPC or may not be looked for in stores.
inline constexpr const char* kNotInStoresMessage =
    "We're sorry, this item cannot be found in stores.";

json::Value findInStoreRecord(const json::Value& answer, const ProductChoice& choice,
                              const ArticleFacts& article);

}  // namespace kelda::product

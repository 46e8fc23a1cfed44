// ProductPageRequest: which product page a product answer asks a list to open: the page kind
// by "PDPFLAG" and the page to start on. The product pages themselves belong to the product
// screens; a list hands this to its `openProductPage` hook (or ScreenLinks). Plain value.
#pragma once

#include <optional>
#include <string>

namespace kelda::gateway {

struct ProductPageRequest {
  std::string kind;              // "SIMPLE", "ITEM" or "TAB"
  std::optional<int> startPage;  // absent: the page as last left
  bool fromImage = false;        // opened by a tap on the product's picture

  bool operator==(const ProductPageRequest&) const = default;
};

}  // namespace kelda::gateway

// AddToBagItemAttribute: one stored bag line. Each of its 23 attributes is an optional text (a
// missing value is std::nullopt); `objectID` identifies the line's row in the bag file.
//
// A plain value type: copies are independent, and any thread may use its own copy. The
// attribute names keep their "set" prefix because the server delivers most values under those
// very keys.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "json/Value.hpp"

namespace kelda::bag {

// X(attribute) for every attribute, in the record's declaration order (also the bag file's
// column order).
#define KELDA_BAG_ATTRIBUTES(X) \
  X(setShippingOptions)         \
  X(setExcludedStatesCode)      \
  X(setCategoryFlag)            \
  X(setCategoryId)              \
  X(setMaxQuantity)             \
  X(setPDPProductId)            \
  X(setFobFeeFlag)              \
  X(setProductId)               \
  X(setProductTaxwareCode)      \
  X(setSurchargeFee)            \
  X(setProductName)             \
  X(setBaseFeeExempt)           \
  X(setOrderMethod)             \
  X(setAddByApp)                \
  X(setSize)                    \
  X(setColor)                   \
  X(setPrice)                   \
  X(setCustomPrice)             \
  X(setUpcNumber)               \
  X(setUpcID)                   \
  X(setQuantity)                \
  X(setLineId)                  \
  X(setCartItemSequenceNumber)

struct AddToBagItemAttribute {
  using Text = std::optional<std::string>;

  // Row id in the bag file; 0 for a line not stored yet.
  std::int64_t objectID = 0;
#define KELDA_BAG_MEMBER(name) Text name;
  KELDA_BAG_ATTRIBUTES(KELDA_BAG_MEMBER)
#undef KELDA_BAG_MEMBER

  static constexpr std::size_t kAttributeCount = 23;
  // The attribute names in declaration order.
  static const std::string_view kAttributeNames[kAttributeCount];
  // The attribute at `index` of the declaration order (index < kAttributeCount).
  Text& attribute(std::size_t index);
  const Text& attribute(std::size_t index) const;

  // The bag record screens show: "Title", "Quantity", "Price", "Color", "Size", "MaxQuantity",
  // "PDPProductId", "UpcId", "setItemSequenceNumber", "ExcludedStatesCode",
  // "ShippingOptions", "UpcNumber", "CategroyId", "CategroyFlag" in this order, leaving out
  // each attribute that has no value.
  json::Value bagRecord() const;

  bool operator==(const AddToBagItemAttribute&) const = default;
};

// The leading decimal integer of a text (blanks and one sign allowed before it; 0 when there
// is none; clamped to the range of long long).
long long integerValue(std::string_view text);

}  // namespace kelda::bag

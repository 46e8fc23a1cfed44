#include "bag/AddToBagItemAttribute.hpp"

#include <cctype>
#include <limits>

#include "bag/PresentFieldsObject.hpp"

namespace kelda::bag {

const std::string_view AddToBagItemAttribute::kAttributeNames[kAttributeCount] = {
#define KELDA_BAG_NAME(name) #name,
    KELDA_BAG_ATTRIBUTES(KELDA_BAG_NAME)
#undef KELDA_BAG_NAME
};

namespace {
using Member = AddToBagItemAttribute::Text AddToBagItemAttribute::*;
constexpr Member kMembers[AddToBagItemAttribute::kAttributeCount] = {
#define KELDA_BAG_POINTER(name) &AddToBagItemAttribute::name,
    KELDA_BAG_ATTRIBUTES(KELDA_BAG_POINTER)
#undef KELDA_BAG_POINTER
};

}  // namespace

AddToBagItemAttribute::Text& AddToBagItemAttribute::attribute(std::size_t index) {
  return this->*kMembers[index];
}

const AddToBagItemAttribute::Text& AddToBagItemAttribute::attribute(std::size_t index) const {
  return this->*kMembers[index];
}

json::Value AddToBagItemAttribute::bagRecord() const {
  PresentFieldsObject record;
  record.add("Title", setProductName)
      .add("Quantity", setQuantity)
      .add("Price", setPrice)
      .add("Color", setColor)
      .add("Size", setSize)
      .add("MaxQuantity", setMaxQuantity)
      .add("PDPProductId", setPDPProductId)
      .add("UpcId", setUpcID)
      .add("setItemSequenceNumber", setCartItemSequenceNumber)
      .add("ExcludedStatesCode", setExcludedStatesCode)
      .add("ShippingOptions", setShippingOptions)
      .add("UpcNumber", setUpcNumber)
      .add("CategroyId", setCategoryId)
      .add("CategroyFlag", setCategoryFlag);
  return record.build();
}

long long integerValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr long long kMax = std::numeric_limits<long long>::max();
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    int digit = text[i] - '0';
    if (value > (kMax - digit) / 10) return negative ? std::numeric_limits<long long>::min() : kMax;
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

}  // namespace kelda::bag

#include "product/ProductChoice.hpp"

#include "bag/AddToBagItemAttribute.hpp"
#include "gateway/TarnObjects.hpp"

namespace kelda::product {
namespace {

// The texts of an offered list; entries that are not texts or numbers are left out.
std::vector<std::string> textsOf(const json::Value& list) {
  std::vector<std::string> texts;
  for (json::Value item : list.items()) {
    if (item.isString() || item.isNumber()) texts.push_back(item.str());
  }
  return texts;
}

const char* missingMessage(ChoiceMode mode, ChoicePurpose purpose) {
  const bool bag = purpose == ChoicePurpose::AddToBag;
  switch (mode) {
    case ChoiceMode::Size:
      return bag ? "Please ensure that you have selected a size for the item you are trying to "
                   "add to bag"
                 : "Please ensure that you have selected a size for the item you are trying to "
                   "find in-store.";
    case ChoiceMode::Color:
      return bag ? "Please ensure that you have selected a color for the item you are trying to "
                   "add to bag"
                 : "Please ensure that you have selected a color for the item you are trying to "
                   "find in-store.";
    case ChoiceMode::Type:
      return bag ? "Please ensure that you have selected a type for the item you are trying to "
                   "add to bag"
                 : "Please ensure that you have selected a type for the item you are trying to "
                   "find in-store.";
    case ChoiceMode::Quantity:
      return "Please ensure that you have selected a quantity for the item you are trying to add "
             "to bag";
  }
  return "";
}

constexpr const char* kZeroQuantityMessage =
    "Please select Quantity of item,  you want to add in your bag";

}  // namespace

const char* placeholderFor(ChoiceMode mode) {
  switch (mode) {
    case ChoiceMode::Size:
      return "Select Size";
    case ChoiceMode::Color:
      return "Select Color";
    case ChoiceMode::Type:
      return "Select Type";
    case ChoiceMode::Quantity:
      return "Select Quantity";
  }
  return "";
}

const char* rowLabelFor(ChoiceMode mode) {
  switch (mode) {
    case ChoiceMode::Size:
      return "size:";
    case ChoiceMode::Color:
      return "color:";
    case ChoiceMode::Type:
      return "type:";
    case ChoiceMode::Quantity:
      return "quantity:";
  }
  return "";
}

OfferedLists OfferedLists::fromSharedState() {
  auto& state = gateway::TarnObjects::sharedInstance();
  return {textsOf(state.sizeArray()), textsOf(state.colorArray()), textsOf(state.typeArray()),
          textsOf(state.qtyArray())};
}

const std::vector<std::string>& OfferedLists::of(ChoiceMode mode) const {
  switch (mode) {
    case ChoiceMode::Size:
      return sizes;
    case ChoiceMode::Color:
      return colors;
    case ChoiceMode::Type:
      return types;
    case ChoiceMode::Quantity:
      break;
  }
  return quantities;
}

bool OfferedLists::shows(ChoiceMode mode) const {
  return mode == ChoiceMode::Quantity || !of(mode).empty();
}

ProductChoice ProductChoice::initialFor(const OfferedLists& offered) {
  ProductChoice choice;
  for (ChoiceMode mode : {ChoiceMode::Size, ChoiceMode::Color, ChoiceMode::Type}) {
    if (offered.of(mode).size() == 1) choice.of(mode) = offered.of(mode).front();
  }
  return choice;
}

std::string& ProductChoice::of(ChoiceMode mode) {
  switch (mode) {
    case ChoiceMode::Size:
      return size;
    case ChoiceMode::Color:
      return color;
    case ChoiceMode::Type:
      return type;
    case ChoiceMode::Quantity:
      break;
  }
  return qty;
}

const std::string& ProductChoice::of(ChoiceMode mode) const {
  return const_cast<ProductChoice&>(*this).of(mode);
}

std::string mapperKey(const ProductChoice& choice, const std::string& productId) {
  return choice.valueOr(ChoiceMode::Color) + "-" + choice.valueOr(ChoiceMode::Size) + "-" +
         choice.valueOr(ChoiceMode::Type) + "-" + productId;
}

std::optional<std::string> missingChoiceMessage(const ProductChoice& choice,
                                                const OfferedLists& offered,
                                                ChoicePurpose purpose) {
  for (ChoiceMode mode : {ChoiceMode::Size, ChoiceMode::Color, ChoiceMode::Type}) {
    if (!offered.of(mode).empty() && !choice.isChosen(mode)) return missingMessage(mode, purpose);
  }
  if (purpose == ChoicePurpose::FindInStore) return std::nullopt;
  if (!choice.isChosen(ChoiceMode::Quantity)) {
    return missingMessage(ChoiceMode::Quantity, purpose);
  }
  if (bag::integerValue(choice.qty) == 0) return kZeroQuantityMessage;
  return std::nullopt;
}

bool eligibilityDueAfter(ChoiceMode applied, const ProductChoice& choice,
                         const OfferedLists& offered) {
  auto settled = [&](ChoiceMode mode) { return offered.of(mode).empty() || choice.isChosen(mode); };
  switch (applied) {
    case ChoiceMode::Size:
      return settled(ChoiceMode::Color);
    case ChoiceMode::Color:
      return settled(ChoiceMode::Size);
    case ChoiceMode::Type:
      return settled(ChoiceMode::Size) && settled(ChoiceMode::Color);
    case ChoiceMode::Quantity:
      break;
  }
  return false;
}

}  // namespace kelda::product

// ProductChoice: what a shopper chooses on a product page (size, colour, type, quantity) and
// the lists the product offers, with the rules that read them: which rows are shown and
// already settled, the UPC mapper key, and the checks before an article is added to the bag or
// looked for in a store.
//
// Plain values; one product page owns its choice. Any thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "json/Value.hpp"

namespace kelda::product {

enum class ChoiceMode { Size, Color, Type, Quantity };

// "Select Size", "Select Color", "Select Type", "Select Quantity": both the placeholder of a
// row without a choice and the title of the picker.
const char* placeholderFor(ChoiceMode mode);
// "size:", "color:", "type:", "quantity:".
const char* rowLabelFor(ChoiceMode mode);

// The values a product offers (the shared sizeArray, colorArray, typeArray and qtyArray).
struct OfferedLists {
  std::vector<std::string> sizes;
  std::vector<std::string> colors;
  std::vector<std::string> types;
  std::vector<std::string> quantities;

  static OfferedLists fromSharedState();
  const std::vector<std::string>& of(ChoiceMode mode) const;
  // The size, colour and type rows are shown only for what is offered; quantity always.
  bool shows(ChoiceMode mode) const;
};

struct ProductChoice {
  std::string size = placeholderFor(ChoiceMode::Size);
  std::string color = placeholderFor(ChoiceMode::Color);
  std::string type = placeholderFor(ChoiceMode::Type);
  std::string qty = placeholderFor(ChoiceMode::Quantity);

  // A fresh choice: an attribute offered with exactly one value counts as chosen.
  static ProductChoice initialFor(const OfferedLists& offered);

  std::string& of(ChoiceMode mode);
  const std::string& of(ChoiceMode mode) const;
  bool isChosen(ChoiceMode mode) const { return of(mode) != placeholderFor(mode); }
  // The chosen value, or the empty text while the placeholder stands.
  std::string valueOr(ChoiceMode mode) const { return isChosen(mode) ? of(mode) : ""; }
};

// The "UPCMapper" key: colour, size, type and product ID joined with "-"; an attribute not
// chosen contributes the empty text ("Red-M--123").
std::string mapperKey(const ProductChoice& choice, const std::string& productId);

enum class ChoicePurpose { AddToBag, FindInStore };
// The first missing choice's message, in the order size, colour, type (then quantity, and a
// quantity of 0, when adding to the bag); nothing when the choice is complete.
std::optional<std::string> missingChoiceMessage(const ProductChoice& choice,
                                                const OfferedLists& offered, ChoicePurpose purpose);

// Whether the article's find-in-store eligibility is recomputed after `applied` was chosen:
// after a size when the colour is settled (chosen, or not offered), after a colour when the
// size is settled, after a type when both are; never after a quantity.
bool eligibilityDueAfter(ChoiceMode applied, const ProductChoice& choice,
                         const OfferedLists& offered);

}  // namespace kelda::product

#include "product/BagAdding.hpp"

#include <string>
#include <vector>

#include "bag/AddToBagItemAttribute.hpp"
#include "bag/CoreDataHandler.hpp"
#include "bag/Money.hpp"
#include "gateway/Components.hpp"
#include "gateway/GlobalFlags.hpp"
#include "product/ArticleFacts.hpp"

namespace kelda::product {
namespace {

long long integerOf(const std::optional<std::string>& text) {
  return text ? bag::integerValue(*text) : 0;
}

void refuse(const char* message) {
  gateway::Components::sharedInstance().showAlertWithMessage(message);
}

// Raises the line at `index` by `quantity`, unless that would pass the line's maximum.
bool mergeIntoLine(const bag::AddToBagItemAttribute& line, std::size_t index, int quantity) {
  const long long wanted = integerOf(line.setQuantity) + quantity;
  if (integerOf(line.setMaxQuantity) < wanted) {
    refuse(kMaximumQuantityMessage);
    return false;
  }
  return bag::CoreDataHandler::sharedCoreDataHandler().updateQuantityItemToBag(
      std::to_string(quantity), index);
}

}  // namespace

std::optional<AddedArticle> addItemToBag(const json::Value& answer, const ProductChoice& choice,
                                         int quantity) {
  auto& flags = gateway::GlobalFlags::shared();
  flags.isBagHasUpdatedItems = false;
  const std::optional<ArticleFacts> article = ArticleFacts::find(answer, choice);
  if (!article || !article->available()) {
    refuse(kNotAvailableMessage);
    return std::nullopt;
  }
  // The unit price is the article's whichever way it enters the bag, so the confirmation
  // never shows the price of an earlier add.
  AddedArticle added{article->unitPriceCents(), quantity, false};
  auto& store = bag::CoreDataHandler::sharedCoreDataHandler();
  store.fetchExistingBagItems();
  const std::vector<bag::AddToBagItemAttribute> lines = store.fetchBagItemsArray();
  bool changed = false;
  for (std::size_t i = 0; i < lines.size() && !added.merged; ++i) {
    if (lines[i].setUpcID != article->upcID()) continue;
    if (!mergeIntoLine(lines[i], i, quantity)) return std::nullopt;
    added.merged = changed = true;
  }
  if (!added.merged) {
    changed = store.addNewRowInEntityWithObject(
        article->upcID(), std::to_string(quantity), bag::formatCents(added.unitPriceCents),
        choice.valueOr(ChoiceMode::Color), choice.valueOr(ChoiceMode::Size));
  }
  if (!changed) return std::nullopt;
  flags.isBagHasUpdatedItems = true;
  flags.quantitySelected = quantity;
  flags.currentItemPriceCents = added.unitPriceCents;
  return added;
}

}  // namespace kelda::product

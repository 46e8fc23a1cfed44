#include "product/FindInStoreRecord.hpp"

#include "bag/Money.hpp"
#include "support/ImageCache.hpp"

namespace kelda::product {

json::Value findInStoreRecord(const json::Value& answer, const ProductChoice& choice,
                              const ArticleFacts& article) {
  const json::Value product = answer["data"][0];
  const auto picture = support::ImageCache::shared().find(product["imageSource"].str());
  return json::Value::object({
      {"Title", product["prodName"].str()},
      {"Price", bag::formatCents(article.unitPriceCents())},
      {"Color", choice.of(ChoiceMode::Color)},
      {"Size", choice.of(ChoiceMode::Size)},
      {"Image Data", picture ? picture->data() : std::string()},
      {"upcNumber", article.itemBOAttr()["setUpcNumber"].str()},
  });
}

}  // namespace kelda::product

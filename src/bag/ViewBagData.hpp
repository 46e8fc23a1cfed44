// ViewBagData: the bag as screens keep it, as plain decoded values: the bag records, the two
// serialisations the requests carry, the last totals answer, the lines that cannot ship, and
// the product handed to the find-in-store screen, and the contact (shipping address) the last
// totals answer was computed for. One per Context
// (`ViewBagData::sharedViewBagDataObject()`); all fields start absent.
//
// Every field is an immutable snapshot swapped under a lock, so workers may write a field
// while the main thread reads it; a reader gets its own copy.
#pragma once

#include <mutex>
#include <optional>
#include <string>

#include "json/Value.hpp"
#include "platform/SnapshotAccessors.hpp"

namespace kelda::bag {

// X(name, Setter) for every field.
#define KELDA_VIEW_BAG_FIELDS(X)                               \
  X(recordArray, setRecordArray)                               \
  X(itemBOAttributeArray, setItemBOAttributeArray)             \
  X(shopActionTagAttrArray, setShopActionTagAttrArray)         \
  X(merchandiseTotalDictionary, setMerchandiseTotalDictionary) \
  X(excludedStateItemsArray, setExcludedStateItemsArray)       \
  X(record, setRecord)                                         \
  X(totalsContactId, setTotalsContactId)

class ViewBagData {
 public:
  static ViewBagData& sharedViewBagDataObject();

#define KELDA_VIEW_BAG_ACCESSORS(name, Setter) KELDA_SNAPSHOT_ACCESSORS(json::Value, name, Setter)
  KELDA_VIEW_BAG_FIELDS(KELDA_VIEW_BAG_ACCESSORS)
#undef KELDA_VIEW_BAG_ACCESSORS

  // The compact JSON text that the form field "itemBOAttr" carries: itemBOAttributeArray as
  // written by the JSON codec. Nothing while the array has never been built.
  std::optional<std::string> itemBOAttrJSON() const;
  // Likewise for "shopAction5TagAttr" from shopActionTagAttrArray.
  std::optional<std::string> shopAction5TagAttrJSON() const;

 private:
  mutable std::mutex mutex_;
#define KELDA_VIEW_BAG_MEMBER(name, Setter) json::Value name##_;
  KELDA_VIEW_BAG_FIELDS(KELDA_VIEW_BAG_MEMBER)
#undef KELDA_VIEW_BAG_MEMBER
};

}  // namespace kelda::bag

// TarnObjects: the shared session state through which screens and the gateway pass answers,
// choices and flags. One per Context (`TarnObjects::sharedInstance()`); every launch starts with
// all fields absent, numbers 0 and flags false. Nothing is saved.
//
// Every field is an immutable snapshot swapped under a lock: a writer replaces the value whole
// (the later write wins) and a reader gets its own copy, so fields may be written by workers
// and read by the main thread without races. Dictionaries, arrays, texts and bytes are
// json::Value (absent when nothing was stored; bytes as a string value).
#pragma once

#include <mutex>
#include <string>

#include "json/Value.hpp"
#include "platform/SnapshotAccessors.hpp"

namespace kelda::gateway {

// X(name, Setter) for every json::Value field.
#define KELDA_TARN_VALUE_FIELDS(X)                                               \
  /* catalogue answers */                                                        \
  X(fortheHomeDictionary, setFortheHomeDictionary)                               \
  X(bedBathDictionary, setBedBathDictionary)                                     \
  X(womenDictionary, setWomenDictionary)                                         \
  X(menDictionary, setMenDictionary)                                             \
  X(juniorsDictionary, setJuniorsDictionary)                                     \
  X(kidsDictionary, setKidsDictionary)                                           \
  X(fragDictionary, setFragDictionary)                                           \
  X(shoesDictionary, setShoesDictionary)                                         \
  X(handbagsDictionary, setHandbagsDictionary)                                   \
  X(jewelryDictionary, setJewelryDictionary)                                     \
  X(salesDictionary, setSalesDictionary)                                         \
  X(subCategoryDictionary, setSubCategoryDictionary)                             \
  /* result lists and search */                                                  \
  X(categorySearchList, setCategorySearchList)                                   \
  X(searchResultsDictionary, setSearchResultsDictionary)                         \
  X(categoryID, setCategoryID)                                                   \
  X(searchTitle, setSearchTitle)                                                 \
  X(fobTitle, setFobTitle)                                                       \
  X(refineSearchFlagWithPageNumber, setRefineSearchFlagWithPageNumber)           \
  X(browsecategoryFlag, setBrowsecategoryFlag)                                   \
  X(category1, setCategory1)                                                     \
  X(brand1, setBrand1)                                                           \
  X(price1, setPrice1)                                                           \
  X(refinementFilterString, setRefinementFilterString)                           \
  /* refinement */                                                               \
  X(refinementArray, setRefinementArray)                                         \
  X(refinementDictionary, setRefinementDictionary)                               \
  X(refinementString, setRefinementString)                                       \
  /* sales, offers and landing pages */                                          \
  X(salesSubcategoryDictionary, setSalesSubcategoryDictionary)                   \
  X(salesResultDictionary, setSalesResultDictionary)                             \
  X(salesCategoryFlag, setSalesCategoryFlag)                                     \
  X(offerDetails, setOfferDetails)                                               \
  X(ctrDictionary, setCtrDictionary)                                             \
  X(ctrSubCategoryDictionary, setCtrSubCategoryDictionary)                       \
  X(ctrResultsDictionary, setCtrResultsDictionary)                               \
  /* product page */                                                             \
  X(productDescriptionList, setProductDescriptionList)                           \
  X(collectionProductDescriptionList, setCollectionProductDescriptionList)       \
  X(tabCollectionProductDescriptionList, setTabCollectionProductDescriptionList) \
  X(sizeArray, setSizeArray)                                                     \
  X(colorArray, setColorArray)                                                   \
  X(qtyArray, setQtyArray)                                                       \
  X(typeArray, setTypeArray)                                                     \
  X(prodAtrributeArray, setProdAtrributeArray)                                   \
  X(pdpSelectedSize, setPdpSelectedSize)                                         \
  X(pdpSelectedColor, setPdpSelectedColor)                                       \
  X(pdpSelectedQty, setPdpSelectedQty)                                           \
  X(pdpSelectedType, setPdpSelectedType)                                         \
  X(pdpTabFlag, setPdpTabFlag)                                                   \
  X(pdpReviewsDictionary, setPdpReviewsDictionary)                               \
  X(productImage, setProductImage)                                               \
  X(largerProductImage, setLargerProductImage)                                   \
  X(categoryFlag, setCategoryFlag)                                               \
  X(coreMetricsCategoryId, setCoreMetricsCategoryId)                             \
  /* bag and checkout */                                                         \
  X(merchandiseDetailsDictionary, setMerchandiseDetailsDictionary)               \
  X(shippingOptionCode, setShippingOptionCode)                                   \
  X(shippingOption, setShippingOption)                                           \
  X(promoCode, setPromoCode)                                                     \
  X(orderSummaryDictionary, setOrderSummaryDictionary)                           \
  X(orderConfirmationDictionary, setOrderConfirmationDictionary)                 \
  X(orderConfirmationResult, setOrderConfirmationResult)                         \
  X(orderFail, setOrderFail)                                                     \
  X(securityCode, setSecurityCode)                                               \
  /* account */                                                                  \
  X(signInResultString, setSignInResultString)                                   \
  X(validateFlagDict, setValidateFlagDict)                                       \
  /* stores */                                                                   \
  X(storeLocationsRecord, setStoreLocationsRecord)                               \
  X(storeLocationEventsRecord, setStoreLocationEventsRecord)                     \
  X(inStoreSavingPassResultsDictionary, setInStoreSavingPassResultsDictionary)   \
  X(_latitude, set_latitude)                                                     \
  X(_longitude, set_longitude)                                                   \
  X(findInStoreDictionary, setFindInStoreDictionary)

// X(name, Setter) for every integer field.
#define KELDA_TARN_INT_FIELDS(X)       \
  X(pageFlag, setPageFlag)             \
  X(searchPageFlag, setSearchPageFlag) \
  X(resultType, setResultType)         \
  X(oldIndex, setOldIndex)

// X(name, Setter) for every BOOL field.
#define KELDA_TARN_BOOL_FIELDS(X) X(isServiceReturnedValue, setIsServiceReturnedValue)

class TarnObjects {
 public:
  static TarnObjects& sharedInstance();

#define KELDA_DECLARE_VALUE(name, Setter) KELDA_SNAPSHOT_ACCESSORS(json::Value, name, Setter)
#define KELDA_DECLARE_INT(name, Setter) KELDA_SNAPSHOT_ACCESSORS(long long, name, Setter)
#define KELDA_DECLARE_BOOL(name, Setter) KELDA_SNAPSHOT_ACCESSORS(bool, name, Setter)
  KELDA_TARN_VALUE_FIELDS(KELDA_DECLARE_VALUE)
  KELDA_TARN_INT_FIELDS(KELDA_DECLARE_INT)
  KELDA_TARN_BOOL_FIELDS(KELDA_DECLARE_BOOL)
#undef KELDA_DECLARE_VALUE
#undef KELDA_DECLARE_INT
#undef KELDA_DECLARE_BOOL

 private:
  mutable std::mutex mutex_;
#define KELDA_MEMBER_VALUE(name, Setter) json::Value name##_;
#define KELDA_MEMBER_INT(name, Setter) long long name##_ = 0;
#define KELDA_MEMBER_BOOL(name, Setter) bool name##_ = false;
  KELDA_TARN_VALUE_FIELDS(KELDA_MEMBER_VALUE)
  KELDA_TARN_INT_FIELDS(KELDA_MEMBER_INT)
  KELDA_TARN_BOOL_FIELDS(KELDA_MEMBER_BOOL)
#undef KELDA_MEMBER_VALUE
#undef KELDA_MEMBER_INT
#undef KELDA_MEMBER_BOOL
};

}  // namespace kelda::gateway

// CoreDataHandler: the bag store. Keeps the shopper's bag lines in "AddToBag.sqlite" in the
// documents directory, so the bag survives restarts and sign-out, and builds the two
// serialisations of the bag that requests carry (ViewBagData's itemBOAttributeArray and
// shopActionTagAttrArray).
//
// One per Context (`CoreDataHandler::sharedCoreDataHandler()`); the file is opened on first use
// and kept. Every operation may be called from any thread: an internal lock serialises them.
// Every change is one transaction, so no failure leaves a half-written bag. A failed read or
// save never ends the process: it is logged and reported with an alert (empty title, "OK"), and
// the bag on disk stays as it was.
//
// Positions ("index") are positions in fetchBagItemsArray(), the lines of the last fetch
// sorted by setUpcID descending (byte comparison, ties in order of creation). That array is
// stale after any change until the next fetch.
#pragma once

#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bag/AddToBagItemAttribute.hpp"
#include "bag/BagStoreFile.hpp"

namespace kelda::bag {

class CoreDataHandler {
 public:
  using Text = std::optional<std::string>;

  static constexpr const char* kEntityName = "AddToBagItemAttribute";
  static constexpr const char* kStoreFileName = "AddToBag.sqlite";
  // The alert for an add without UPC ID, quantity or price.
  static constexpr const char* kMissingSelectionMessage =
      "Unable to add Item. Please check you have selected: size, color and quantity";
  // Alerts for a store that cannot be opened, read or written.
  static constexpr const char* kStoreExceptionFormat =
      "Exception while accessing persistence store:%@";
  static constexpr const char* kReadFailedMessage =
      "Your bag could not be read. Please try again later.";
  static constexpr const char* kSaveFailedMessage =
      "Your bag could not be saved. Please try again later.";

  CoreDataHandler();
  ~CoreDataHandler();
  CoreDataHandler(const CoreDataHandler&) = delete;
  CoreDataHandler& operator=(const CoreDataHandler&) = delete;

  static CoreDataHandler& sharedCoreDataHandler();

  // Test hook: how the file will be opened (read-only, a size limit). Only before first use.
  void setStoreOptions(BagStoreOptions options);

  // The documents directory, or nothing when the platform has none.
  std::optional<std::filesystem::path> applicationDocumentsDirectory() const;
  // Opens the store on first call (creating the directory and the file when missing) and tells
  // whether it is usable. A directory that cannot be made or a file that cannot be opened shows
  // kStoreExceptionFormat with the failure's description, once.
  bool managedObjectContext();

  // Reads every line into fetchBagItemsArray and returns their number. On failure: reported,
  // the previous array kept, its size returned.
  long long fetchExistingBagItems();
  std::vector<AddToBagItemAttribute> fetchBagItemsArray() const;

  // True when a stored line's setUpcID equals `upcID` exactly (false for nothing).
  bool isExistingBagContainsId(const Text& upcID);

  // Stores a new bag line for the UPC (filled from the shared product answer and the caller's
  // choice) and clears the shared coreMetricsCategoryId and categoryFlag. A missing UPC ID,
  // quantity or price shows kMissingSelectionMessage; an empty one is refused silently.
  // True when the line was saved.
  bool addNewRowInEntityWithObject(const Text& upcID, const Text& qty, const Text& price,
                                   const Text& color, const Text& size);

  // Adds `quantity` to the quantity of the line at `index` (the merge of a second add of the
  // same UPC). Nothing for a missing quantity or an index outside the array. True when saved.
  bool updateQuantityItemToBag(const Text& quantity, std::size_t index);
  // Replaces the quantity of the line at `index` by the integer value of `quantity`.
  bool updateBagQuantityToQuantity(const Text& quantity, std::size_t index);
  // Deletes the line at `index` (the bag screen's row delete). True when saved.
  bool deleteBagItemAtIndex(std::size_t index);

  // The sum of the integer values of every line's quantity, fetched afresh, while holding
  // `lock` (the caller's own lock).
  long long totalQuantityInBag(std::mutex& lock);

  // Deletes every record of the entity (only kEntityName has records). True when saved.
  bool deleteAllObjects(std::string_view entityName);

  // Fetches and builds ViewBagData's itemBOAttributeArray: per line "setUpcID", "setUpcNumber",
  // "setProductId", "setAddByApp", "setBaseFeeExempt", "setSurchargeFee", "setOrderMethod",
  // "setProductTaxwareCode", "setLineId" and "setItemSequenceNumber" (both the line's present
  // position + 1), "setCustomPrice", "setPrice", "setQuantity", "setFobFeeFlag", each object
  // leaving out each missing value. Empty objects are left out; when none is left the
  // property keeps its previous value.
  void setItemBOAttrRequestParameterForCheckout();
  // Likewise builds shopActionTagAttrArray: "categoryFlag", "categoryId", "productQty",
  // "productPrice", "productId", "productName".
  void setItemBOAttrRequestParameterForCheckout1();

 private:
  class Reporter;
  enum class StoreState { Ready, JustFailed, Unusable };
  StoreState openStore(Reporter& reporter);
  bool fetchLocked(Reporter& reporter);
  bool changeQuantity(const char* operation, const Text& quantity, std::size_t index, bool add);
  // The description of the store's last failure, for the log.
  std::string storeError() const;
  json::Value serialise(json::Value (*build)(const AddToBagItemAttribute&, std::size_t));

  mutable std::mutex mutex_;
  BagStoreOptions options_;
  bool openAttempted_ = false;
  std::string openFailure_;
  BagStoreFile store_;
  std::vector<AddToBagItemAttribute> fetched_;
};

}  // namespace kelda::bag

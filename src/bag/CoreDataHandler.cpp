#include "bag/CoreDataHandler.hpp"

#include <limits>
#include <system_error>
#include <utility>

#include "bag/PresentFieldsObject.hpp"
#include "bag/ViewBagData.hpp"
#include "gateway/TarnObjects.hpp"
#include "platform/Context.hpp"
#include "platform/Log.hpp"
#include "platform/Paths.hpp"
#include "ui/AlertView.hpp"

namespace kelda::bag {

namespace {
using Text = CoreDataHandler::Text;

std::string replacePlaceholder(std::string_view format, std::string_view value) {
  std::string text(format);
  if (auto at = text.find("%@"); at != std::string::npos) text.replace(at, 2, value);
  return text;
}

// A value's text form: texts unchanged, numbers as their text, absent as "(null)", and a list
// as its elements joined by "," (so that splitting at "," gives them back).
std::string asText(const json::Value& value) {
  if (!value.isArray()) return value.describe();
  std::string joined;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (i > 0) joined += ",";
    joined += asText(value[i]);
  }
  return joined;
}

// A value stored as the server sent it: a text as it is; nothing for absent or null. Any other
// value is stored as its text form rather than failing the save.
Text copied(const json::Value& value) {
  if (value.isString()) return value.str();
  if (value.isAbsent() || value.isNull()) return std::nullopt;
  return asText(value);
}

long long saturatingAdd(long long a, long long b) {
  long long sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) {
    return b > 0 ? std::numeric_limits<long long>::max() : std::numeric_limits<long long>::min();
  }
  return sum;
}

// Fills a new line from the caller's choice and the shared product answer.
AddToBagItemAttribute newLine(const std::string& upcID, const Text& qty, const Text& price,
                              const Text& color, const Text& size, std::size_t lineNumber) {
  auto& state = gateway::TarnObjects::sharedInstance();
  json::Value product = state.productDescriptionList();
  json::Value data = product["data"][0];
  json::Value itemBO = product["UPCAvailabilityChecker"][upcID]["itemBOAttr"];

  AddToBagItemAttribute line;
  line.setCartItemSequenceNumber = line.setLineId = std::to_string(lineNumber);
  line.setPDPProductId = asText(data["prodId"]);
  line.setUpcID = asText(itemBO["setUpcID"]);
  line.setCustomPrice = copied(itemBO["setCustomPrice"]);
  line.setPrice = price;
  line.setQuantity = qty;
  line.setColor = color;
  line.setSize = size;
  line.setUpcNumber = copied(itemBO["setUpcNumber"]);
  line.setProductTaxwareCode = asText(itemBO["setProductTaxwareCode"]);
  line.setAddByApp = copied(itemBO["setAddByApp"]);
  line.setBaseFeeExempt = copied(itemBO["setBaseFeeExempt"]);
  line.setOrderMethod = copied(itemBO["setOrderMethod"]);
  line.setSurchargeFee = copied(itemBO["setSurchargeFee"]);
  line.setProductName = copied(data["prodName"]);
  line.setMaxQuantity = std::to_string(data["maxQuantity"].intValue());
  line.setFobFeeFlag = copied(itemBO["setFobFeeFlag"]);
  line.setProductId = asText(itemBO["setProductID"]);
  line.setExcludedStatesCode = asText(product["excludedStateCodeValues"]);
  line.setShippingOptions = asText(product["shippingMethodCodeValues"]);
  line.setCategoryId = asText(state.coreMetricsCategoryId());
  line.setCategoryFlag = asText(state.categoryFlag());
  return line;
}

json::Value orderLine(const AddToBagItemAttribute& line, std::size_t position) {
  Text number = std::to_string(position + 1);
  PresentFieldsObject object;
  object.add("setUpcID", line.setUpcID)
      .add("setUpcNumber", line.setUpcNumber)
      .add("setProductId", line.setProductId)
      .add("setAddByApp", line.setAddByApp)
      .add("setBaseFeeExempt", line.setBaseFeeExempt)
      .add("setSurchargeFee", line.setSurchargeFee)
      .add("setOrderMethod", line.setOrderMethod)
      .add("setProductTaxwareCode", line.setProductTaxwareCode)
      .add("setLineId", number)
      .add("setItemSequenceNumber", number)
      .add("setCustomPrice", line.setCustomPrice)
      .add("setPrice", line.setPrice)
      .add("setQuantity", line.setQuantity)
      .add("setFobFeeFlag", line.setFobFeeFlag);
  return object.build();
}

json::Value analyticsLine(const AddToBagItemAttribute& line, std::size_t) {
  PresentFieldsObject object;
  object.add("categoryFlag", line.setCategoryFlag)
      .add("categoryId", line.setCategoryId)
      .add("productQty", line.setQuantity)
      .add("productPrice", line.setPrice)
      .add("productId", line.setProductId)
      .add("productName", line.setProductName);
  return object.build();
}
}  // namespace

// Collects the alerts of one operation and shows them when it ends, after the store's lock is
// released (declare it before the lock).
class CoreDataHandler::Reporter {
 public:
  Reporter() = default;
  Reporter(const Reporter&) = delete;
  Reporter& operator=(const Reporter&) = delete;
  ~Reporter() {
    for (auto& message : messages_) ui::showAlert({"", std::move(message), {"OK"}, 0, {}});
  }
  void report(const char* operation, const std::string& error, std::string message) {
    log::error(operation, error);
    messages_.push_back(std::move(message));
  }

 private:
  std::vector<std::string> messages_;
};

CoreDataHandler::CoreDataHandler() = default;
CoreDataHandler::~CoreDataHandler() = default;

CoreDataHandler& CoreDataHandler::sharedCoreDataHandler() {
  return platform::shared<CoreDataHandler>();
}

void CoreDataHandler::setStoreOptions(BagStoreOptions options) {
  std::lock_guard lock(mutex_);
  options_ = options;
}

std::optional<std::filesystem::path> CoreDataHandler::applicationDocumentsDirectory() const {
  std::filesystem::path directory = platform::documentsDirectory();
  if (directory.empty()) return std::nullopt;
  return directory;
}

CoreDataHandler::StoreState CoreDataHandler::openStore(Reporter& reporter) {
  if (store_.isOpen()) return StoreState::Ready;
  if (openAttempted_) return StoreState::Unusable;
  openAttempted_ = true;
  auto directory = applicationDocumentsDirectory();
  std::error_code ec;
  std::string failure;
  if (!directory) {
    failure = "no documents directory";
  } else if (std::filesystem::create_directories(*directory, ec); ec) {
    failure = ec.message();
  } else if (!store_.open(*directory / kStoreFileName, options_)) {
    failure = store_.lastError();
  }
  if (failure.empty()) return StoreState::Ready;
  openFailure_ = failure;
  reporter.report("-[CoreDataHandler managedObjectContext]", failure,
                  replacePlaceholder(kStoreExceptionFormat, failure));
  return StoreState::JustFailed;
}

std::string CoreDataHandler::storeError() const {
  return store_.isOpen() ? store_.lastError() : "no usable bag file: " + openFailure_;
}

bool CoreDataHandler::managedObjectContext() {
  Reporter reporter;
  std::lock_guard lock(mutex_);
  return openStore(reporter) == StoreState::Ready;
}

bool CoreDataHandler::fetchLocked(Reporter& reporter) {
  StoreState state = openStore(reporter);
  if (state == StoreState::JustFailed) return false;
  if (state == StoreState::Ready) {
    if (auto lines = store_.fetchAll()) {
      fetched_ = std::move(*lines);
      return true;
    }
  }
  reporter.report("-[CoreDataHandler fetchExistingBagItems]", storeError(), kReadFailedMessage);
  return false;
}

long long CoreDataHandler::fetchExistingBagItems() {
  Reporter reporter;
  std::lock_guard lock(mutex_);
  fetchLocked(reporter);
  return static_cast<long long>(fetched_.size());
}

std::vector<AddToBagItemAttribute> CoreDataHandler::fetchBagItemsArray() const {
  std::lock_guard lock(mutex_);
  return fetched_;
}

bool CoreDataHandler::isExistingBagContainsId(const Text& upcID) {
  if (!upcID) return false;
  Reporter reporter;
  std::lock_guard lock(mutex_);
  if (openStore(reporter) == StoreState::JustFailed) return false;
  auto lines = store_.fetchAll();
  if (!lines) {
    reporter.report("-[CoreDataHandler isExistingBagContainsId:]", storeError(),
                    kReadFailedMessage);
    return false;
  }
  for (const auto& line : *lines) {
    if (line.setUpcID == upcID) return true;
  }
  return false;
}

bool CoreDataHandler::addNewRowInEntityWithObject(const Text& upcID, const Text& qty,
                                                  const Text& price, const Text& color,
                                                  const Text& size) {
  if (!upcID || !qty || !price) {
    ui::showAlert({"", kMissingSelectionMessage, {"OK"}, 0, {}});
    return false;
  }
  if (upcID->empty() || qty->empty() || price->empty()) return false;
  bool saved = false;
  {
    Reporter reporter;
    std::lock_guard lock(mutex_);
    AddToBagItemAttribute line = newLine(*upcID, qty, price, color, size, fetched_.size() + 1);
    StoreState state = openStore(reporter);
    saved = state == StoreState::Ready && store_.insert(line).has_value();
    if (!saved && state != StoreState::JustFailed) {
      reporter.report("-[CoreDataHandler addNewRowInEntityWithObject:qty:price:color:size:]",
                      storeError(), kSaveFailedMessage);
    }
  }
  if (saved) {
    auto& state = gateway::TarnObjects::sharedInstance();
    state.setCoreMetricsCategoryId(json::Value(""));
    state.setCategoryFlag(json::Value(""));
  }
  return saved;
}

bool CoreDataHandler::changeQuantity(const char* operation, const Text& quantity, std::size_t index,
                                     bool add) {
  if (!quantity) return false;
  Reporter reporter;
  std::lock_guard lock(mutex_);
  if (index >= fetched_.size()) {
    log::error(operation, "no bag line at position " + std::to_string(index));
    return false;
  }
  StoreState state = openStore(reporter);
  if (state == StoreState::JustFailed) return false;
  long long amount = integerValue(*quantity);
  auto change = [&](const Text& stored) {
    long long base = add && stored ? integerValue(*stored) : 0;
    return std::to_string(saturatingAdd(base, amount));
  };
  if (state == StoreState::Ready && store_.updateQuantity(fetched_[index].objectID, change)) {
    return true;
  }
  reporter.report(operation, storeError(), kSaveFailedMessage);
  return false;
}

bool CoreDataHandler::updateQuantityItemToBag(const Text& quantity, std::size_t index) {
  return changeQuantity("-[CoreDataHandler updateQuantityItemToBag:withIndex:]", quantity, index,
                        true);
}

bool CoreDataHandler::updateBagQuantityToQuantity(const Text& quantity, std::size_t index) {
  return changeQuantity("-[CoreDataHandler updateBagQuantityToQuantity:withIndex:]", quantity,
                        index, false);
}

bool CoreDataHandler::deleteBagItemAtIndex(std::size_t index) {
  constexpr const char* kOperation = "-[CoreDataHandler deleteBagItemAtIndex:]";
  Reporter reporter;
  std::lock_guard lock(mutex_);
  if (index >= fetched_.size()) {
    log::error(kOperation, "no bag line at position " + std::to_string(index));
    return false;
  }
  StoreState state = openStore(reporter);
  if (state == StoreState::JustFailed) return false;
  if (state == StoreState::Ready && store_.remove(fetched_[index].objectID)) return true;
  reporter.report(kOperation, storeError(), kSaveFailedMessage);
  return false;
}

long long CoreDataHandler::totalQuantityInBag(std::mutex& callerLock) {
  std::lock_guard caller(callerLock);
  Reporter reporter;
  std::lock_guard lock(mutex_);
  fetchLocked(reporter);
  long long total = 0;
  for (const auto& line : fetched_) {
    total = saturatingAdd(total, line.setQuantity ? integerValue(*line.setQuantity) : 0);
  }
  return total;
}

bool CoreDataHandler::deleteAllObjects(std::string_view entityName) {
  constexpr const char* kOperation = "-[CoreDataHandler deleteAllObjects:]";
  if (entityName != kEntityName) {
    log::error(kOperation, "no entity named " + std::string(entityName));
    return false;
  }
  Reporter reporter;
  std::lock_guard lock(mutex_);
  StoreState state = openStore(reporter);
  if (state == StoreState::JustFailed) return false;
  if (state == StoreState::Ready && store_.removeAll()) return true;
  reporter.report(kOperation, storeError(), kSaveFailedMessage);
  return false;
}

json::Value CoreDataHandler::serialise(json::Value (*build)(const AddToBagItemAttribute&,
                                                            std::size_t)) {
  Reporter reporter;
  std::lock_guard lock(mutex_);
  if (!fetchLocked(reporter)) return {};
  std::vector<json::Value> objects;
  objects.reserve(fetched_.size());
  for (std::size_t i = 0; i < fetched_.size(); ++i) {
    json::Value object = build(fetched_[i], i);
    if (!object.empty()) objects.push_back(std::move(object));
  }
  if (objects.empty()) return {};
  return json::Value::array(std::move(objects));
}

void CoreDataHandler::setItemBOAttrRequestParameterForCheckout() {
  json::Value array = serialise(orderLine);
  if (!array.isAbsent()) ViewBagData::sharedViewBagDataObject().setItemBOAttributeArray(array);
}

void CoreDataHandler::setItemBOAttrRequestParameterForCheckout1() {
  json::Value array = serialise(analyticsLine);
  if (!array.isAbsent()) ViewBagData::sharedViewBagDataObject().setShopActionTagAttrArray(array);
}

}  // namespace kelda::bag

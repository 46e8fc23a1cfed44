// TarnServerAPIs: the server gateway. Every exchange with the middleware server (and the
// analytics service) goes through its operations. One per Context (`sharedInstance()`).
//
// The transport primitives and the connectivity check live in src/gateway; each subsystem
// defines its own endpoint operations in its own folder (catalogue requests in src/catalogue,
// bag requests in src/bag, ...). Operations are synchronous: screens call them on a worker
// thread (RunLoop::detachThread) and hand back to the main thread. Answers are stored in
// TarnObjects or UserProfileDetails, replacing the previous value whole; failures are not
// propagated (an operation that fails leaves the stored answer empty or unchanged).
#pragma once

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "json/Value.hpp"

namespace kelda::gateway {

class TarnServerAPIs {
 public:
  static TarnServerAPIs& sharedInstance();

  // ---- transport (src/gateway) ----
  // POST the body's UTF-8 bytes to the URL text used unchanged; the answer parsed as a JSON
  // object or array. Absent on any failure (no answer, not UTF-8, not JSON); no alert.
  json::Value downloadPostData(const std::string& url, const std::string& body);
  json::Value downloadGetData(const std::string& url);
  // POST built by the operation itself: with the "Content-Length" header of the body's bytes.
  json::Value downloadPostDataWithContentLength(const std::string& url, const std::string& body);
  // The connectivity check: false (after the "Network Error" alert) when there is no connection.
  bool internetConnectionAvailable();
  // Request time-out (default 60 s); tests shorten it.
  void setTimeout(std::chrono::milliseconds timeout);
  std::chrono::milliseconds timeout() const;

  // ---- wire conventions (src/gateway) ----
  // "http://%@/" + endpoint with the middleware address.
  static std::string serverURL(std::string_view endpoint);
  // "AL" for no name; else the last code of US-States.plist whose name equals it; else absent.
  json::Value getStateCodeForState(const json::Value& stateName);

  // ---- analytics (src/gateway) ----
  void coremetricsURL();
  json::Value coremetricsURLString() const;
  void coremetricsStaticPageViewTag(const std::string& pageId);
  void coreMetricsFromThread(const std::string& pageId);
  void registrationCoremetrics();
  void checkoutCorematrics();
  void orderConfirmationCorematrics();
  void shoppingViewTagCoremetrics(const json::Value& records);
  void orderConfirmationShopTagCoremetrics(const json::Value& records);
  void coreMetricsForPDP();

  // ---- catalogue (src/catalogue) ----
  void recordForItemPicker(const std::string& categoryId);
  void resultForCategory(const std::string& categoryId, const std::string& brand,
                         const std::string& price);
  void searchResultString(const std::string& phrase);
  void updateResultsPage(const std::string& pageNumber, const std::string& categoryId);
  void refineResultsPage(const std::string& categoryId, const json::Value& refinements);
  void updateRefineResultsPage(const std::string& pageNumber, const std::string& categoryId,
                               const json::Value& refinements);
  void recordForSale(const std::string& categoryId);
  void saleSubCategory(const std::string& categoryId);
  void recordForSalesResult(const std::string& categoryId);
  void updateSalesResultsPage(const std::string& pageNumber, const std::string& categoryId);
  void refineSalesResultsPage(const std::string& categoryId, const json::Value& refinements);
  void updateSalesRefineResultsPage(const std::string& pageNumber, const std::string& categoryId,
                                    const json::Value& refinements);
  void ctrDetails();
  void ctrSubCategory(const std::string& categoryId);
  void ctrResults(const std::string& categoryId);
  void updateCtrResultsPage(const std::string& pageNumber, const std::string& categoryId);
  void updateCtrRefineResultsPage(const std::string& pageNumber, const std::string& categoryId,
                                  const json::Value& refinements);

  // ---- product (src/product) ----
  void resultForProductDescription(const std::string& productId, const std::string& categoryId,
                                   const std::string& categoryFlag);
  void resultForLoadMoreReviewsProductDescription(const std::string& pageNumber);
  void locateFindInStoresByZip(const std::string& zip, const std::string& upcNumber);
  void locateFindInStoresByCity(const std::string& city, const std::string& state,
                                const std::string& upcNumber);
  void locateFindInStoresByLocation(const std::string& latitude, const std::string& longitude,
                                    const std::string& upcNumber);

  // ---- bag and checkout (src/bag) ----
  void getViewBagMerchandiseTotal(const json::Value& itemBOAttr);
  void offerDetails();
  void getOrderReservationNumber(int shippingMethodRow);
  void getOrderConfirmationNumber(int shippingMethodRow);
  void getCreditCardTypes();

  // ---- account (src/account) ----
  void sign(const std::string& userName, const std::string& password);
  void sign1(const std::string& userName, const std::string& password);
  // "YES", the server's error text, or nothing (no connection, no or empty answer).
  std::optional<std::string> createProfile();
  void forgotPassword(const std::string& emailAddress);
  void updateEditMyProfileWithString(const std::string& body);
  void updateEditMyWalletWithString(const std::string& body);
  void markAsPrimaryBillingAddress(const std::string& body);
  void removeBillingAddress(const std::string& body);
  void updateEditMyAddressWithString(const std::string& body);
  void markAsPrimaryShippingAddress(const std::string& body);
  void removeShippingAddress(const std::string& body);

  // ---- stores (src/stores) ----
  void locateStoresByZip(const std::string& zip);
  void locateStoresByCity(const std::string& city, const std::string& state);
  void locateStoresByLocation(const std::string& latitude, const std::string& longitude);
  void locateStoresByZip1(const std::string& zip);
  void locateStoresByCity1(const std::string& city, const std::string& state);
  void locateStoresByLocation1(const std::string& latitude, const std::string& longitude);
  void inStoreSavingPass(const std::string& zip);
  void getAllStoreEvents(const std::string& storeId);
  void getStoreEvents(const std::string& storeId, const std::string& eventFrom,
                      const std::string& eventTo);

 private:
  mutable std::mutex mutex_;
  std::chrono::milliseconds timeout_{60000};
  json::Value coremetricsURLString_;
};

}  // namespace kelda::gateway

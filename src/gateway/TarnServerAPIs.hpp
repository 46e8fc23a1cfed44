// TarnServerAPIs: the server gateway. Every exchange with the middleware server (and the
// analytics service) goes through its operations. One per Context (`sharedInstance()`).
//
// The gateway keeps the transport, the connectivity check, the analytics tags and the
// card-type list of the profile; each subsystem's own requests live beside its screens in a
// class of their own (CatalogueRequests, ProductRequests, SignInRequests, ...), built on the
// endpoint index of Wire.hpp. Operations are synchronous: screens call them on a worker
// thread (postTaskAndReply) and continue on the main thread.
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

  // ---- card types (src/gateway/CreditCardTypes.cpp) ----
  // "keldas_creditcardtype": the profile's creditCardTypes, and cardTypes.plist when the list
  // has more than one entry.
  void getCreditCardTypes();

 private:
  mutable std::mutex mutex_;
  std::chrono::milliseconds timeout_{60000};
  json::Value coremetricsURLString_;
};

}  // namespace kelda::gateway

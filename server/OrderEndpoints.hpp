// OrderEndpoints: `keldas_viewbag` (the bag's totals, availability and promotions),
// `keldas_prepareorder` (a reservation for the order), `keldas_processorder` (places the order:
// checks the shopper, card, address, stock, shipping method and state; stores the order and
// takes the stock in one transaction; large orders go to "BATCH" processing) and
// `keldas_creditcardtype`. `client` is the caller's network address (for the sign-in
// throttle). Any request thread; concurrent orders never oversell a UPC, and a reservation
// places at most one order.
#pragma once

#include <string>

#include "FormFields.hpp"
#include "Json.hpp"
#include "ServerState.hpp"

namespace kelda::server {

// Orders whose total reaches this amount are accepted for later ("BATCH") processing.
inline constexpr long long kBatchFromCents = 50000;

class OrderEndpoints {
 public:
  explicit OrderEndpoints(ServerState& state) : state_(state) {}

  json::Value viewBag(const FormFields& form, const std::string& client);
  json::Value prepareOrder(const FormFields& form, const std::string& client);
  json::Value processOrder(const FormFields& form, const std::string& client);
  json::Value cardTypes();

 private:
  ServerState& state_;
};

}  // namespace kelda::server

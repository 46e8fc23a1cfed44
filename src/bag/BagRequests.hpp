// BagRequests: the requests of the bag and checkout screens: the bag totals ("keldas_viewbag"),
// the promotion list ("get_promo"), the order reservation ("keldas_prepareorder") and the order
// itself ("keldas_processorder"). The card-type list is the gateway's own request.
//
// Each operation runs synchronously on the caller's thread (a screen's worker), checks the
// connection first (the "Network Error" alert when there is none) and runs inside the exception
// guard. Only an answer the server confirmed ("success" 1) is stored in the shared state; every
// other outcome leaves what the shared state held as it was, except the totals, which are
// dropped as soon as a new totals request goes out (they belong to the bag they were asked for).
#pragma once

#include <string>

#include "account/AccountOutcome.hpp"
#include "gateway/RequestStatus.hpp"
#include "json/Value.hpp"

namespace kelda::bag {

using gateway::RequestStatus;

// What became of a bag or order request.
enum class BagOutcome {
  NotSent,   // no connection, no bag or no stored log-in: nothing went out
  Failed,    // no answer, or one that is not a JSON object, or an exception
  Refused,   // the server answered without confirming
  Answered,  // confirmed; the shared state holds the answer
};

class BagRequests {
 public:
  static constexpr const char* kUnexpectedErrorMessage = account::kUnexpectedErrorMessage;
  static constexpr const char* kMerchandiseDetailsFile = "merchandiseDetailsDictionary.plist";

  // Posts the bag `itemBOAttr` (with the selected shipping address's contact, the stored log-in
  // when signed in, the promotion code and the analytics lines) to "keldas_viewbag". Answered:
  // merchandiseTotalDictionary, merchandiseDetailsDictionary (also written to
  // kMerchandiseDetailsFile), shippingOptionCode and totalsContactId hold the answer. Otherwise
  // the totals stay absent and the server's "errorMsg" or kUnexpectedErrorMessage is shown.
  static BagOutcome getViewBagMerchandiseTotal(const json::Value& itemBOAttr);

  // GET "get_promo": offerDetails. An answer that is not a dictionary counts as Failed.
  static RequestStatus offerDetails();

  // Posts the order fields for shipping method `method` (0 Standard, 1 Premium, 2 Express) to
  // "keldas_prepareorder". Answered: orderSummaryDictionary holds the reservation.
  static BagOutcome getOrderReservationNumber(int method);

  // Posts the order with the reservation of orderSummaryDictionary to "keldas_processorder".
  // Answered: orderConfirmationDictionary (its "data") and orderConfirmationResult (the whole
  // answer) hold it, and the order's analytics tags have been sent. Whether the order was
  // placed, taken for later or refused for its lines is in the stored answer.
  static BagOutcome getOrderConfirmationNumber(int method);
};

// The text of an amount as the server sent it: a text unchanged, a number as the digits it was
// written with; "" for anything else.
std::string amountText(const json::Value& amount);

// True for a "success" or "error" value that reads as true (true, a non-zero number or text).
bool isTrue(const json::Value& flag);

}  // namespace kelda::bag

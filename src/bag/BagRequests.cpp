#include "bag/BagRequests.hpp"

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "bag/ViewBagData.hpp"
#include "gateway/Components.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/StoredLogin.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "gateway/Wire.hpp"
#include "json/SBJson.hpp"
#include "platform/Log.hpp"
#include "platform/Paths.hpp"
#include "platform/PropertyList.hpp"
#include "platform/RunLoop.hpp"
#include "ui/NetworkActivityIndicator.hpp"

namespace kelda::bag {
namespace {

using gateway::GlobalFlags;
using gateway::TarnObjects;
using gateway::TarnServerAPIs;
using gateway::UserProfileDetails;

constexpr std::string_view kTotalsExceptionTitle = "On getting Merchandise Value Exception !";
constexpr std::string_view kReservationExceptionTitle =
    "Exception while getting Oredr Reservation Number!";

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

void alert(const std::string& message) {
  gateway::Components::sharedInstance().showAlertWithMessage(message);
}

// Runs `body` in the exception guard with the connection checked first.
BagOutcome guardedBagRequest(std::string_view operation, const std::function<BagOutcome()>& body,
                             std::string_view title = gateway::kExceptionAlertTitle) {
  BagOutcome outcome = BagOutcome::Failed;
  gateway::guarded(
      operation,
      [&] {
        outcome = TarnServerAPIs::sharedInstance().internetConnectionAvailable()
                      ? body()
                      : BagOutcome::NotSent;
      },
      title);
  return outcome;
}

// The promotion code as sent: "" when there is none.
std::string promoCodeText() {
  return state().promoCode().str();
}

// The shipping address (and its contact) chosen for this checkout.
json::Value selectedAddress() {
  const int row = GlobalFlags::shared().selectedAddressRow;
  return UserProfileDetails::sharedUserProfileObject().shippingAddressArray()[row];
}

json::Value selectedCard() {
  const int row = GlobalFlags::shared().selectedBillingAddressRow;
  return UserProfileDetails::sharedUserProfileObject().defaultCreditCardArray()[row];
}

// A refusal or a failure as the shopper is told of it: the server's own text when it says it
// refused with one, nothing for a refusal without text, the unexpected-error message otherwise.
BagOutcome reportUnconfirmed(const json::Value& answer) {
  if (isTrue(answer["error"])) {
    const std::string message = answer["errorMsg"].str();
    if (!message.empty()) alert(message);
  } else {
    alert(BagRequests::kUnexpectedErrorMessage);
  }
  return answer.isObject() ? BagOutcome::Refused : BagOutcome::Failed;
}

// "Standard"/"Premium"/"Express" → code, from the first three shipping fee results.
json::Value shippingCodes(const json::Value& feeResults) {
  std::vector<json::Member> codes;
  for (std::size_t i = 0; i < 3 && i < feeResults.size(); ++i) {
    const json::Value method = feeResults[i]["shippingMethod"];
    codes.emplace_back(method["description"].str(), method["code"]);
  }
  return json::Value::object(std::move(codes));
}

void storeTotals(const json::Value& answer, const std::string& contactId) {
  state().setShippingOptionCode(shippingCodes(answer["data"]["shippingFeeResults"]));
  state().setMerchandiseDetailsDictionary(answer);
  const auto documents = platform::documentsDirectory();
  if (!documents.empty() &&
      !platform::writePropertyList(documents / BagRequests::kMerchandiseDetailsFile, answer)) {
    log::warning("-[BagRequests getViewBagMerchandiseTotal:]", "the totals file was not written");
  }
  auto& bag = ViewBagData::sharedViewBagDataObject();
  bag.setTotalsContactId(contactId);
  bag.setMerchandiseTotalDictionary(answer);
}

BagOutcome sendTotals(const json::Value& itemBOAttr) {
  const auto items = json::JSONRepresentation(itemBOAttr);
  if (!items) return BagOutcome::NotSent;
  auto& bag = ViewBagData::sharedViewBagDataObject();
  const json::Value records = bag.recordArray();
  platform::detachThread(
      [records] { TarnServerAPIs::sharedInstance().shoppingViewTagCoremetrics(records); });
  state().setIsServiceReturnedValue(false);
  // The totals belong to the bag they were asked for: none are shown or used until this
  // request's answer is in.
  bag.setMerchandiseTotalDictionary({});
  state().setMerchandiseDetailsDictionary({});
  bag.setTotalsContactId({});
  const bool signedIn = GlobalFlags::shared().loginSuccessful;
  const std::string contactId = signedIn ? selectedAddress()["contactId"].str() : "";
  const json::Value login = signedIn ? gateway::readStoredLogin() : json::Value();
  const json::Value answer = gateway::request(
      "getViewBagMerchandiseTotal",
      {*items, contactId, login["loginUserName"].str(), login["loginPassword"].str(),
       promoCodeText(), bag.shopAction5TagAttrJSON().value_or("")});
  // Only a confirmed answer with its totals counts.
  if (isTrue(answer["success"]) && answer["data"].isObject()) {
    storeTotals(answer, contactId);
    return BagOutcome::Answered;
  }
  return reportUnconfirmed(answer);
}

// The values of the order requests, in the order of their formats; absent when the order
// cannot be asked for (no stored log-in, or a bag or method that cannot be written).
struct OrderFields {
  std::string items, cardId, contactId, orderNumber, baseFee, shipmentFee, method, tax, user,
      password;
};

std::optional<OrderFields> orderFields(int method) {
  const json::Value login = gateway::readStoredLogin();
  if (login.size() != 2) return std::nullopt;
  const json::Value data = state().merchandiseDetailsDictionary()["data"];
  const json::Value fee = data["shippingFeeResults"][method];
  const auto items =
      json::JSONRepresentation(ViewBagData::sharedViewBagDataObject().itemBOAttributeArray());
  const auto shippingMethod = json::JSONRepresentation(fee["shippingMethod"]);
  if (!items || !shippingMethod) return std::nullopt;
  return OrderFields{*items,
                     amountText(selectedCard()["cardId"]),
                     amountText(selectedAddress()["contactId"]),
                     amountText(data["orderNumber"]),
                     amountText(data["itemsTotal"]),
                     amountText(fee["shippingFee"]),
                     *shippingMethod,
                     amountText(data["taxes"]),
                     login["loginUserName"].str(),
                     login["loginPassword"].str()};
}

// The order's analytics, on this worker: they read the answer just stored.
void sendOrderTags(const json::Value& data) {
  auto& apis = TarnServerAPIs::sharedInstance();
  if (data["confirmationNumber"].str().empty()) {
    apis.orderConfirmationShopTagCoremetrics(ViewBagData::sharedViewBagDataObject().recordArray());
  } else {
    apis.checkoutCorematrics();
    apis.orderConfirmationCorematrics();
  }
}

}  // namespace

std::string amountText(const json::Value& amount) {
  if (amount.isString()) return amount.str();
  if (amount.isNumber()) return amount.describe();
  return "";
}

bool isTrue(const json::Value& flag) {
  return flag.boolValue();
}

BagOutcome BagRequests::getViewBagMerchandiseTotal(const json::Value& itemBOAttr) {
  if (!itemBOAttr.isArray()) return BagOutcome::NotSent;
  const BagOutcome outcome = guardedBagRequest(
      "-[BagRequests getViewBagMerchandiseTotal:]", [&] { return sendTotals(itemBOAttr); },
      kTotalsExceptionTitle);
  ui::setNetworkActivityIndicatorVisible(false);
  return outcome;
}

RequestStatus BagRequests::offerDetails() {
  const BagOutcome outcome = guardedBagRequest("-[BagRequests offerDetails]", [] {
    json::Value answer = gateway::request("offerDetails", {});
    if (!answer.isObject()) return BagOutcome::Failed;
    state().setOfferDetails(std::move(answer));
    return BagOutcome::Answered;
  });
  switch (outcome) {
    case BagOutcome::NotSent:
      return RequestStatus::NotSent;
    case BagOutcome::Answered:
      return RequestStatus::Answered;
    default:
      return RequestStatus::Failed;
  }
}

BagOutcome BagRequests::getOrderReservationNumber(int method) {
  return guardedBagRequest(
      "-[BagRequests getOrderReservationNumber:]",
      [method] {
        const auto fields = orderFields(method);
        if (!fields) return BagOutcome::NotSent;
        state().setIsServiceReturnedValue(false);
        const json::Value answer = gateway::request(
            "getOrderReservationNumber",
            {fields->items, fields->cardId, fields->contactId, fields->orderNumber, fields->baseFee,
             fields->shipmentFee, fields->method, fields->tax, fields->user, fields->password,
             state().securityCode().str(), promoCodeText()});
        if (!isTrue(answer["success"]) || !answer["data"].isObject()) {
          return reportUnconfirmed(answer);
        }
        state().setOrderSummaryDictionary(answer["data"]);
        state().setIsServiceReturnedValue(true);
        return BagOutcome::Answered;
      },
      kReservationExceptionTitle);
}

BagOutcome BagRequests::getOrderConfirmationNumber(int method) {
  return guardedBagRequest("-[BagRequests getOrderConfirmationNumber:]", [method] {
    const auto fields = orderFields(method);
    if (!fields) return BagOutcome::NotSent;
    state().setIsServiceReturnedValue(false);
    // Without a reservation the field is sent empty, never as a placeholder word.
    const std::string reservation =
        amountText(state().orderSummaryDictionary()["orderReservationNumber"]);
    const json::Value answer = gateway::request(
        "getOrderConfirmationNumber",
        {fields->items, fields->cardId, fields->contactId, fields->orderNumber, fields->baseFee,
         fields->shipmentFee, fields->method, fields->tax, fields->user, fields->password,
         reservation, state().securityCode().str(), promoCodeText()});
    if (!isTrue(answer["success"]) || !answer["data"].isObject()) {
      return reportUnconfirmed(answer);
    }
    state().setOrderConfirmationDictionary(answer["data"]);
    state().setOrderConfirmationResult(answer);
    state().setIsServiceReturnedValue(true);
    sendOrderTags(answer["data"]);
    return BagOutcome::Answered;
  });
}

}  // namespace kelda::bag

// The analytics tag operations of TarnServerAPIs: the base address fetched at launch and the
// tag URLs built on it. Each tag is one fire-and-forget POST with the empty body; its answer is
// ignored and nothing is ever shown to the shopper.
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

#include "gateway/ResourceTables.hpp"
#include "gateway/StoredLogin.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "gateway/Wire.hpp"
#include "platform/Log.hpp"
#include "platform/RunLoop.hpp"

namespace kelda::gateway {
namespace {

constexpr std::string_view kPageViewFormat = "%@&tid=1&pi=%@&cg=%@";
constexpr std::string_view kRegistrationFormat = "%@&tid=2&cd=%@&em=%@";
constexpr std::string_view kCheckoutFormat = "%@&tid=2&cd=%@&em=%@&ct=%@&sa=%@&zp=%@";
constexpr std::string_view kOrderFormat = "%@&tid=3&on=%@&tr=%@&sg=%@&cd=%@&ct=%@&sa=%@&zp=%@";
constexpr std::string_view kShopAction5Format = "%@&tid=4&at=5&pr=%@&pm=%@&qt=%@&bp=%@&cg=%@";
constexpr std::string_view kShopAction9Format =
    "%@&tid=4&at=9&pr=%@&pm=%@&qt=%@&bp=%@&cg=%@&on=%@&tr=%@&cd=%@";
constexpr std::string_view kProductViewFormat = "%@&tid=5&pi=%@&pr=%@&pm=%@&cg=%@";

// A value as "%@" shows it ("(null)" when missing), with "%", "&" and "+" encoded once.
std::string tagValue(const json::Value& value) {
  return encodeFormValue(value.describe());
}

// Fills each "%@" of the format with the next text, unchanged.
std::string fill(std::string_view format, std::initializer_list<std::string> texts) {
  std::string out;
  auto next = texts.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '@') {
      if (next != texts.end()) out += *next++;
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

// A blank cannot travel in an address: every one becomes "%20".
std::string blanksEncoded(std::string_view url) {
  std::string out;
  out.reserve(url.size());
  for (char c : url) {
    if (c == ' ') {
      out += "%20";
    } else {
      out += c;
    }
  }
  return out;
}

// The category group of a product by the kind of list it came from; `other` for a kind not
// listed (the empty text for product views, the kind itself for shop tags).
std::string categoryGroup(const json::Value& kind, const json::Value& categoryId,
                          const std::string& other) {
  const std::string_view text = kind.isString() ? kind.text() : std::string_view();
  if (text == "SEARCH") return "mobile.search";
  if (text == "TOPRATED") return "mobile.toprated";
  if (text == "BROWSE_WHEEL" || text == "SALE") return "mobile." + categoryId.describe();
  return other;
}

std::string shopGroup(const json::Value& record) {
  return categoryGroup(record["CategroyFlag"], record["CategroyId"],
                       record["CategroyFlag"].describe());
}

json::Value emailAddress() {
  return UserProfileDetails::sharedUserProfileObject().profileDictionary()["emailAddress"];
}

json::Value defaultCard() {
  return UserProfileDetails::sharedUserProfileObject().defaultCreditCardArray()[0];
}

// Runs one tag's work; a tag never reports anything but a log line.
template <class Fn>
void quietly(std::string_view operation, Fn&& fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    log::warning(operation, e.what());
  } catch (...) {
    log::warning(operation, "unknown exception");
  }
}

// Sends one tag: the base address followed by the format's fields (values already encoded),
// every blank as "%20". Without a base address nothing is sent: the result would be no address.
void sendTag(std::string_view format, std::initializer_list<std::string> values) {
  auto& api = TarnServerAPIs::sharedInstance();
  const json::Value base = api.coremetricsURLString();
  if (!base.isString() || base.text().empty()) {
    log::debug("sendTag", "no analytics address; tag not sent");
    return;
  }
  // Every format starts with the base address's "%@".
  const std::string url = blanksEncoded(base.str() + fill(format.substr(2), values));
  log::debug("sendTag", url);
  api.downloadPostData(url, "");
}

}  // namespace

void TarnServerAPIs::coremetricsURL() {
  {
    std::lock_guard lock(mutex_);
    coremetricsURLString_ = json::Value();
  }
  const json::Value data = request("coremetricsURL", {})["data"];
  std::lock_guard lock(mutex_);
  coremetricsURLString_ = data;
}

json::Value TarnServerAPIs::coremetricsURLString() const {
  std::lock_guard lock(mutex_);
  return coremetricsURLString_;
}

void TarnServerAPIs::coremetricsStaticPageViewTag(const std::string& pageId) {
  platform::detachThread([pageId] { sharedInstance().coreMetricsFromThread(pageId); });
}

void TarnServerAPIs::coreMetricsFromThread(const std::string& pageId) {
  quietly("-[TarnServerAPIs coreMetricsFromThread:]", [&] {
    const json::Value category = coreMetricsTable()[pageId];
    sendTag(kPageViewFormat, {encodeFormValue(pageId), tagValue(category)});
  });
}

void TarnServerAPIs::registrationCoremetrics() {
  quietly("-[TarnServerAPIs registrationCoremetrics]", [&] {
    const json::Value email = emailAddress();
    sendTag(kRegistrationFormat, {tagValue(email), tagValue(email)});
  });
}

void TarnServerAPIs::checkoutCorematrics() {
  quietly("-[TarnServerAPIs checkoutCorematrics]", [&] {
    const json::Value email = emailAddress();
    const json::Value card = defaultCard();
    sendTag(kCheckoutFormat, {tagValue(email), tagValue(email), tagValue(card["billingCity"]),
                              tagValue(card["billingState"]), tagValue(card["billingZipcode"])});
  });
}

void TarnServerAPIs::orderConfirmationCorematrics() {
  quietly("-[TarnServerAPIs orderConfirmationCorematrics]", [&] {
    auto& state = TarnObjects::sharedInstance();
    const json::Value order = state.orderConfirmationDictionary();
    const json::Value fees = state.merchandiseDetailsDictionary()["data"]["shippingFeeResults"][0];
    const json::Value card = defaultCard();
    sendTag(kOrderFormat,
            {tagValue(order["orderConfirmationNumber"]), tagValue(fees["orderTotal"]),
             tagValue(fees["shippingFee"]), tagValue(emailAddress()), tagValue(card["billingCity"]),
             tagValue(card["billingState"]), tagValue(card["billingZipcode"])});
  });
}

void TarnServerAPIs::shoppingViewTagCoremetrics(const json::Value& records) {
  quietly("-[TarnServerAPIs shoppingViewTagCoremetrics:]", [&] {
    for (const json::Value& record : records.items()) {
      sendTag(kShopAction5Format, {tagValue(record["PDPProductId"]), tagValue(record["Title"]),
                                   tagValue(record["Quantity"]), tagValue(record["Price"]),
                                   encodeFormValue(shopGroup(record))});
    }
  });
}

void TarnServerAPIs::orderConfirmationShopTagCoremetrics(const json::Value& records) {
  quietly("-[TarnServerAPIs orderConfirmationShopTagCoremetrics:]", [&] {
    const json::Value result = TarnObjects::sharedInstance().orderConfirmationResult()["data"];
    const json::Value userName = readStoredLogin()["loginUserName"];
    for (const json::Value& record : records.items()) {
      sendTag(kShopAction9Format,
              {tagValue(record["PDPProductId"]), tagValue(record["Title"]),
               tagValue(record["Quantity"]), tagValue(record["Price"]),
               encodeFormValue(shopGroup(record)), tagValue(result["confirmationNumber"]),
               tagValue(result["amountCharged"]), tagValue(userName)});
    }
  });
}

void TarnServerAPIs::coreMetricsForPDP() {
  quietly("-[TarnServerAPIs coreMetricsForPDP]", [&] {
    const json::Value answer = TarnObjects::sharedInstance().productDescriptionList();
    const json::Value product = answer["data"][0];
    const std::string pageId =
        "PRODUCT: " + product["prodName"].describe() + " (" + product["prodId"].describe() + ")";
    sendTag(kProductViewFormat,
            {encodeFormValue(pageId), tagValue(product["prodId"]), tagValue(product["prodName"]),
             encodeFormValue(categoryGroup(answer["categoryFlag"], answer["categoryId"], ""))});
  });
}

}  // namespace kelda::gateway

#include "gateway/Wire.hpp"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "gateway/TarnServerAPIs.hpp"
#include "platform/Context.hpp"

namespace kelda::gateway {

std::string encodeFormValue(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    switch (c) {
      case '%':
        out += "%25";
        break;
      case '&':
        out += "%26";
        break;
      case '+':
        out += "%2B";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string formatBody(std::string_view format, std::initializer_list<std::string_view> values) {
  std::string out;
  out.reserve(format.size() + 32);
  auto next = values.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '@') {
      if (next != values.end()) out += encodeFormValue(*next++);
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

std::string middlewareAddress() {
  return platform::options()->middleware;
}
std::string ctrAddress() {
  return platform::options()->ctrAddress;
}
std::string webHost() {
  return platform::options()->webHost;
}

std::string addressBase(std::string_view address) {
  std::string base(address);
  if (base.rfind("http://", 0) != 0 && base.rfind("https://", 0) != 0) base = "http://" + base;
  if (base.empty() || base.back() != '/') base += '/';
  return base;
}

namespace {

using M = Method;
constexpr std::array kIndex{
    // catalogue
    Endpoint{"recordForItemPicker", "category", M::Post, "&categoryId=%@"},
    Endpoint{"recordForSale", "category_sale", M::Post, "&categoryId=%@"},
    Endpoint{"saleSubCategory", "category_sale", M::Post, "categoryId=%@"},
    Endpoint{"resultForCategory", "results", M::PostWithContentLength,
             "categoryId=%@&refinements=%@"},
    Endpoint{"recordForSalesResult", "results", M::PostWithContentLength,
             "categoryId=%@&refinements=%@"},
    Endpoint{"updateResultsPage", "results", M::PostWithContentLength,
             "categoryId=%@&pageNumber=%@&refinements=%@"},
    Endpoint{"updateResultsPage/search", "results_search", M::Post,
             "&searchPhrase=%@&pageNumber=%@"},
    Endpoint{"updateSalesResultsPage", "results", M::PostWithContentLength,
             "categoryId=%@&pageNumber=%@&refinements=%@"},
    Endpoint{"updateCtrResultsPage", "results", M::PostWithContentLength,
             "categoryId=%@&pageNumber=%@&refinements=%@"},
    Endpoint{"updateRefineResultsPage", "results", M::PostWithContentLength,
             "pageNumber=%@&categoryId=%@&refinements=%@"},
    Endpoint{"updateRefineResultsPage/search", "results_search", M::PostWithContentLength,
             "pageNumber=%@&searchPhrase=%@&refinements=%@"},
    Endpoint{"updateSalesRefineResultsPage", "results", M::PostWithContentLength,
             "pageNumber=%@&categoryId=%@&refinements=%@"},
    Endpoint{"updateSalesRefineResultsPage/search", "results_search", M::PostWithContentLength,
             "pageNumber=%@&searchPhrase=%@&refinements=%@"},
    Endpoint{"updateCtrRefineResultsPage", "results", M::PostWithContentLength,
             "pageNumber=%@&categoryId=%@&refinements=%@"},
    Endpoint{"updateCtrRefineResultsPage/search", "results_search", M::PostWithContentLength,
             "pageNumber=%@&searchPhrase=%@&refinements=%@"},
    Endpoint{"refineResultsPage", "results", M::PostWithContentLength,
             "categoryId=%@&refinements=%@"},
    Endpoint{"refineResultsPage/search", "results_search", M::PostWithContentLength,
             "searchPhrase=%@&refinements=%@"},
    Endpoint{"refineSalesResultsPage", "results", M::PostWithContentLength,
             "categoryId=%@&refinements=%@"},
    Endpoint{"refineSalesResultsPage/search", "results_search", M::PostWithContentLength,
             "searchPhrase=%@&refinements=%@"},
    Endpoint{"ctrResults", "results", M::Post, "categoryId=%@"},
    Endpoint{"searchResultString", "results_search", M::Post, "&searchPhrase=%@"},
    Endpoint{"ctrDetails", "category_ctr", M::Get, "", Host::Ctr},
    Endpoint{"ctrSubCategory", "category_ctr", M::Post, "parentCategoryId=%@"},
    Endpoint{"offerDetails", "get_promo", M::Get, ""},
    // product
    Endpoint{"resultForProductDescription", "product", M::Post,
             "productId=%@&categoryId=%@&categoryFlag=%@"},
    Endpoint{"resultForLoadMoreReviewsProductDescription", "product", M::Post,
             "productId=%@&reviewPageNumber=%@"},
    Endpoint{"locateFindInStoresByZip", "findinstore", M::Post, "zipcode=%@&upcId=%@"},
    Endpoint{"locateFindInStoresByCity", "findinstore", M::Post, "city=%@&state=%@&upcId=%@"},
    Endpoint{"locateFindInStoresByLocation", "findinstore", M::Post,
             "latitude=%@&longitude=%@&upcId=%@"},
    // bag and checkout
    Endpoint{"getViewBagMerchandiseTotal", "keldas_viewbag", M::Post,
             "itemBOAttr=%@&contactId=%@&loginUserName=%@&loginPassword=%@&promoCode=%@"
             "&shopAction5TagAttr=%@"},
    Endpoint{"getOrderReservationNumber", "keldas_prepareorder", M::Post,
             "itemBOAttr=%@&cardId=%@&contactId=%@&orderNumber=%@&baseFee=%@&shipmentFee=%@"
             "&shippingMethod=%@&orderTax=%@&loginUserName=%@&loginPassword=%@"
             "&securityCode=%@&promoCode=%@"},
    Endpoint{"getOrderConfirmationNumber", "keldas_processorder", M::Post,
             "itemBOAttr=%@&cardId=%@&contactId=%@&orderNumber=%@&baseFee=%@&shipmentFee=%@"
             "&shippingMethod=%@&orderTax=%@&loginUserName=%@&loginPassword=%@"
             "&orderReservationNumber=%@&securityCode=%@&promoCode=%@"},
    Endpoint{"getCreditCardTypes", "keldas_creditcardtype", M::Post, ""},
    // account
    Endpoint{"sign", "signin", M::Post, "loginUserName=%@&loginPassword=%@"},
    Endpoint{"sign1", "signin", M::Post, "loginUserName=%@&loginPassword=%@"},
    Endpoint{"createProfile", "register", M::Post,
             "firstName=%@&lastName=%@&emailAddress=%@&password=%@&verifyPassword=%@"
             "&dateOfBirth=%@&gender=%@&address1=%@&address2=%@&city=%@&state=%@&zipcode=%@"
             "&phone=%@&isPrimary=%@&profileFlag=%@&shippingContactFlag=%@&subscriptionFlag=%@"},
    Endpoint{"forgotPassword", "forgot_password", M::Post, "emailPassword=%@"},
    // The profile form ends with the stored (current) password: "password" may be a new one.
    Endpoint{"updateEditMyProfileWithString", "edit_profile", M::Post,
             "myAccountType=profile&userId=%@&firstName=%@&lastName=%@&emailAddress=%@"
             "&updatedEmailAddress=%@&password=%@&verifyPassword=%@&address1=%@&address2=%@"
             "&zipcode=%@&city=%@&state=%@&dateOfBirth=%@&gender=%@&subscriptionFlag=%@"
             "&loginPassword=%@"},
    Endpoint{"updateEditMyWalletWithString", "edit_wallet", M::Post,
             "cardId=%@&cardType=%@&cardNumber=%@&cardExpirationDate=%@&billingContactId=%@"
             "&billingFirstName=%@&billingLastName=%@&billingEmailAddress=%@"
             "&billingAddress1=%@&billingAddress2=%@&billingCity=%@&billingState=%@"
             "&billingZipcode=%@&billingPhone=%@&loginUserName=%@&loginPassword=%@"},
    Endpoint{"markAsPrimaryBillingAddress", "edit_primary_wallet", M::Post,
             "cardId=%@&defaultCardId=%@&loginUserName=%@&loginPassword=%@"},
    Endpoint{"removeBillingAddress", "delete_wallet", M::Post,
             "loginUserName=%@&loginPassword=%@&cardId=%@"},
    Endpoint{"updateEditMyAddressWithString", "edit_shipping", M::Post,
             "myAccountType=addressBook&contactId=%@&defaultContactId=%@&firstName=%@"
             "&lastName=%@&address1=%@&address2=%@&city=%@&state=%@&zipcode=%@&phone=%@"
             "&isPrimary=%@&loginUserName=%@&loginPassword=%@"},
    Endpoint{"markAsPrimaryShippingAddress", "edit_primary_shipping", M::Post,
             "contactId=%@&loginUserName=%@&loginPassword=%@"},
    Endpoint{"removeShippingAddress", "delete_shipping", M::Post,
             "loginUserName=%@&loginPassword=%@&contactId=%@"},
    // stores
    Endpoint{"locateStoresByZip", "store_locator", M::Post, "zipcode=%@"},
    Endpoint{"locateStoresByCity", "store_locator", M::Post, "city=%@&state=%@"},
    Endpoint{"locateStoresByLocation", "store_locator", M::Post, "latitude=%@&longitude=%@"},
    Endpoint{"locateStoresByZip1", "instore_savingspass", M::Post, "zipcode=%@"},
    Endpoint{"locateStoresByCity1", "instore_savingspass", M::Post, "city=%@&state=%@"},
    Endpoint{"locateStoresByLocation1", "instore_savingspass", M::Post, "latitude=%@&longitude=%@"},
    Endpoint{"inStoreSavingPass", "instore_savingspass", M::Post, "zipcode=%@"},
    Endpoint{"getAllStoreEvents", "store_events", M::Post, "storeId=%@"},
    Endpoint{"getStoreEvents", "store_events", M::Post, "storeId=%@&eventFrom=%@&eventTo=%@"},
    // analytics
    Endpoint{"coremetricsURL", "coremetrics_url", M::Post, ""},
};

json::Value sendRow(const Endpoint& row, const std::string& body) {
  auto& api = TarnServerAPIs::sharedInstance();
  const std::string url = endpointURL(row);
  switch (row.method) {
    case Method::Post:
      return api.downloadPostData(url, body);
    case Method::PostWithContentLength:
      return api.downloadPostDataWithContentLength(url, body);
    case Method::Get:
      return api.downloadGetData(url);
  }
  return {};
}

}  // namespace

std::span<const Endpoint> endpointIndex() {
  return kIndex;
}

const Endpoint& endpointFor(std::string_view operation) {
  auto it = std::find_if(kIndex.begin(), kIndex.end(),
                         [&](const Endpoint& row) { return row.operation == operation; });
  if (it == kIndex.end()) {
    throw std::out_of_range("no endpoint for operation " + std::string(operation));
  }
  return *it;
}

std::string endpointURL(const Endpoint& row) {
  const std::string host = row.host == Host::Ctr ? ctrAddress() : middlewareAddress();
  return addressBase(host) + std::string(row.endpoint);
}

json::Value request(std::string_view operation, std::initializer_list<std::string_view> values) {
  const Endpoint& row = endpointFor(operation);
  return sendRow(row, formatBody(row.bodyFormat, values));
}

json::Value requestWithBody(std::string_view operation, const std::string& body) {
  return sendRow(endpointFor(operation), body);
}

std::string TarnServerAPIs::serverURL(std::string_view endpoint) {
  return addressBase(middlewareAddress()) + std::string(endpoint);
}

}  // namespace kelda::gateway

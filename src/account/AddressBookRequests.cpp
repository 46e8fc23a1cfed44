#include "account/AddressBookRequests.hpp"

#include <string_view>

#include "account/AccountEdit.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "gateway/Wire.hpp"

namespace kelda::account {
namespace {

constexpr AccountEditRequest kEditShipping{"updateEditMyAddressWithString",
                                           "-[TarnServerAPIs updateEditMyAddressWithString:]",
                                           "Update Edit Shipping Address Exception !"};
constexpr AccountEditRequest kMarkPrimary{"markAsPrimaryShippingAddress",
                                          "-[TarnServerAPIs markAsPrimaryShippingAddress:]",
                                          "Mark Primary Shipping Address Exception !"};
constexpr AccountEditRequest kRemove{"removeShippingAddress",
                                     "-[TarnServerAPIs removeShippingAddress:]",
                                     "Remove Shipping Exception !"};

std::string body(const AccountEditRequest& request,
                 std::initializer_list<std::string_view> values) {
  return gateway::formatBody(gateway::endpointFor(request.operation).bodyFormat, values);
}

}  // namespace

AccountOutcome AddressBookRequests::updateEditMyAddressWithString(const std::string& body) {
  return sendAccountEdit(kEditShipping, body);
}

AccountOutcome AddressBookRequests::markAsPrimaryShippingAddress(const json::Value& address) {
  const auto login = storedLoginPair();
  if (!login) return AccountOutcome::NotSent;
  return sendAccountEdit(kMarkPrimary,
                         body(kMarkPrimary, {std::to_string(address["contactId"].intValue()),
                                             login->userName, login->password}));
}

AccountOutcome AddressBookRequests::removeShippingAddress(const json::Value& address) {
  const auto login = storedLoginPair();
  if (!login) return AccountOutcome::NotSent;
  return sendAccountEdit(
      kRemove, body(kRemove, {login->userName, login->password, address["contactId"].text()}));
}

std::string AddressBookRequests::editShippingBody(const gateway::UserProfileDetails& form,
                                                  const json::Value& editedAddress) {
  const auto login = storedLoginPair().value_or(LoginPair{});
  std::string contactId, defaultContactId, isPrimary = "1";
  if (!form.shippingAddressArray().empty()) {
    const json::Value defaultId = form.defaultShippingDictionary()["contactId"];
    contactId = editedAddress["contactId"].str();
    defaultContactId = defaultId.str();
    const bool editsDefault = editedAddress.isObject() && !isBlank(defaultId) &&
                              editedAddress["contactId"].intValue() == defaultId.intValue();
    isPrimary = editsDefault ? "1" : "0";
  }
  // An unknown or unchosen state goes out as the empty text, never as "(null)".
  const std::string state = form.codeForState(form.state()).str();
  return body(kEditShipping,
              {contactId, defaultContactId, form.firstName().text(), form.lastName().text(),
               form.address1().text(), form.address2().text(), form.city().text(), state,
               form.zipcode().text(), form.phoneNumber().text(), isPrimary, login.userName,
               login.password});
}

}  // namespace kelda::account

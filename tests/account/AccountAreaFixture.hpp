// AccountAreaFixture: a signed-in shopper for the account area's tests: the stored log-in
// "ann@x.com" / "secret1", the card types (Visa and MasterCard editable here, Kelda's Card
// not), and the sections of a sign-in answer with two addresses (11 the default) and two cards
// (21 the default). accountAnswer() builds the server's answers from the same pieces.
#pragma once

#include <string>

#include "account/AccountEdit.hpp"
#include "account/AccountScreenFixture.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/StoredLogin.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "json/SBJson.hpp"

namespace kelda::test {

inline constexpr const char* kCardTypes = R"({"data":[
  {"ccCode":"VI","ccName":"Visa","maxLength":"16","visible":"Y"},
  {"ccCode":"MC","ccName":"MasterCard","maxLength":"16","visible":"Y"},
  {"ccCode":"KC","ccName":"Kelda's Card","maxLength":"13,16","visible":"N"}]})";

inline constexpr const char* kProfile =
    R"({"userId":"41","firstName":"Ann","lastName":"Lee","emailAddress":"ann@x.com",
    "address1":"1 Main St","address2":"","zipcode":"02108","city":"Boston","state":"MA",
    "dateOfBirth":"Feb 02, 1991","gender":"F","subscriptionFlag":"1"})";
inline constexpr const char* kHome =
    R"({"contactId":"11","firstName":"Ann","lastName":"Lee","address1":"1 Main St",
    "address2":"","city":"Boston","state":"MA","zipcode":"02108","phone":"6175550100"})";
inline constexpr const char* kOffice =
    R"({"contactId":"12","firstName":"Ann","lastName":"Lee","address1":"9 Elm St",
    "address2":"Apt #2","city":"Austin","state":"TX","zipcode":"78701","phone":""})";
inline constexpr const char* kVisa =
    R"({"cardId":"21","cardType":"VI","cardNumber":"4111111111111111",
    "cardExpirationDate":"Mar, 2031","billingContactId":"800021","billingFirstName":"Ann",
    "billingLastName":"Lee","billingAddress1":"1 Main St","billingAddress2":"",
    "billingCity":"Boston","billingState":"MA","billingZipcode":"02108",
    "billingPhone":"6175550100","billingEmailAddress":"ann@x.com"})";
inline constexpr const char* kStoreCard =
    R"({"cardId":"22","cardType":"KC","cardNumber":"6035000000004",
    "cardExpirationDate":"Apr, 2030","billingContactId":"800022","billingFirstName":"Ann",
    "billingLastName":"Lee","billingAddress1":"9 Elm St","billingAddress2":"",
    "billingCity":"Austin","billingState":"","billingZipcode":"78701","billingPhone":"",
    "billingEmailAddress":"ann@x.com"})";

// An account answer: status, the profile and the given lists (JSON texts of arrays).
inline std::string accountAnswer(const std::string& success, const std::string& error,
                                 const std::string& shipping, const std::string& defaultShipping,
                                 const std::string& cards, const std::string& defaultCard) {
  return R"({"status":[{"success":")" + success + R"(","error":")" + error + R"("}],"profile":[)" +
         kProfile + R"(],"shipping":)" + shipping + R"(,"defaultShipping":)" + defaultShipping +
         R"(,"creditCard":)" + cards + R"(,"defaultCreditCard":)" + defaultCard + "}";
}
inline std::string list(const char* a) {
  return std::string("[") + a + "]";
}
inline std::string list(const char* a, const char* b) {
  return std::string("[") + a + "," + b + "]";
}
// The answer the shopper starts with.
inline std::string signedInAnswer() {
  return accountAnswer("AUTHENTICATED", "", list(kHome, kOffice), list(kHome),
                       list(kVisa, kStoreCard), list(kVisa));
}

class AccountAreaFixture : public AccountScreenFixture {
 protected:
  AccountAreaFixture() {
    server().answer("/keldas_creditcardtype", kCardTypes);
    gateway::writeStoredLogin("ann@x.com;secret1");
    gateway::GlobalFlags::shared().loginSuccessful = true;
    form().setCreditCardTypes(parse(kCardTypes)["data"]);
    account::storeAccountSections(parse(signedInAnswer()));
  }
  static json::Value parse(const std::string& text) {
    return json::SBJsonParser().objectWithString(text);
  }
  gateway::UserProfileDetails& form() {
    return gateway::UserProfileDetails::sharedUserProfileObject();
  }
  std::string lastBody(const std::string& path) {
    auto request = server().lastRequest(path);
    return request ? request->body : "(none)";
  }
};

}  // namespace kelda::test

// UserProfileDetails: what the client knows about the signed-in shopper for the whole run: the
// sections of the last account answer, the form fields the registration and account screens
// fill while the shopper types, the credit-card types, and the state and card-code lookups
// every account request needs. One per Context (`sharedUserProfileObject()`); starts with every
// field absent and every flag false.
//
// Like TarnObjects, every field is an immutable snapshot swapped under a lock: writers (gateway
// operations on workers, screens on the main thread) replace a value whole and readers get
// their own copy. Texts and decoded values are json::Value (absent until stored).
#pragma once

#include <mutex>
#include <string>

#include "json/Value.hpp"
#include "platform/SnapshotAccessors.hpp"

namespace kelda::gateway {

// X(name, Setter) for every json::Value field: answer sections, then form fields.
#define KELDA_PROFILE_VALUE_FIELDS(X)                            \
  /* answer sections */                                          \
  X(profileDictionary, setProfileDictionary)                     \
  X(shippingAddressArray, setShippingAddressArray)               \
  X(defaultShippingDictionary, setDefaultShippingDictionary)     \
  X(defaultCreditCardDictionary, setDefaultCreditCardDictionary) \
  X(defaultCreditCardArray, setDefaultCreditCardArray)           \
  X(statusDictionary, setStatusDictionary)                       \
  X(creditCardTypes, setCreditCardTypes)                         \
  /* form fields */                                              \
  X(firstName, setFirstName)                                     \
  X(lastName, setLastName)                                       \
  X(emailAddress, setEmailAddress)                               \
  X(password, setPassword)                                       \
  X(verifyPassword, setVerifyPassword)                           \
  X(birthDate, setBirthDate)                                     \
  X(gender, setGender)                                           \
  X(address, setAddress)                                         \
  X(address1, setAddress1)                                       \
  X(address2, setAddress2)                                       \
  X(city, setCity)                                               \
  X(state, setState)                                             \
  X(zipcode, setZipcode)                                         \
  X(contactId, setContactId)                                     \
  X(phoneNumber, setPhoneNumber)                                 \
  X(billingFirstName, setBillingFirstName)                       \
  X(billingLastName, setBillingLastName)                         \
  X(billingAddress, setBillingAddress)                           \
  X(billingAddress1, setBillingAddress1)                         \
  X(billingAddress2, setBillingAddress2)                         \
  X(billingEmailAddress, setBillingEmailAddress)                 \
  X(billingCity, setBillingCity)                                 \
  X(billingState, setBillingState)                               \
  X(billingZipcode, setBillingZipcode)                           \
  X(billingContactId, setBillingContactId)                       \
  X(billingPhoneNumber, setBillingPhoneNumber)                   \
  X(cardType, setCardType)                                       \
  X(cardNumber, setCardNumber)                                   \
  X(securityCode, setSecurityCode)                               \
  X(expirationDate, setExpirationDate)

// X(name, Setter) for every form flag.
#define KELDA_PROFILE_BOOL_FIELDS(X)                           \
  X(isPrimary, setIsPrimary)                                   \
  X(markedAsShippingAddress, setMarkedAsShippingAddress)       \
  X(markedAsBillingAddress, setMarkedAsBillingAddress)         \
  X(markedUseMyShippingAddress, setMarkedUseMyShippingAddress) \
  X(markedSubscribeKeldas, setMarkedSubscribeKeldas)

class UserProfileDetails {
 public:
  // The card-type answer kept in the documents directory for later runs.
  static constexpr const char* kCardTypesFile = "cardTypes.plist";

  static UserProfileDetails& sharedUserProfileObject();

#define KELDA_PROFILE_VALUE(name, Setter) KELDA_SNAPSHOT_ACCESSORS(json::Value, name, Setter)
#define KELDA_PROFILE_BOOL(name, Setter) KELDA_SNAPSHOT_ACCESSORS(bool, name, Setter)
  KELDA_PROFILE_VALUE_FIELDS(KELDA_PROFILE_VALUE)
  KELDA_PROFILE_BOOL_FIELDS(KELDA_PROFILE_BOOL)
#undef KELDA_PROFILE_VALUE
#undef KELDA_PROFILE_BOOL

  // The state name of a two-letter code from US-States.plist: the empty text when the code is
  // absent, absent when the code is not in the table.
  json::Value stateForCode(const json::Value& code) const;
  // The code whose name equals `name` (the last one when several do); absent when none does.
  json::Value codeForState(const json::Value& name) const;
  // "ccCode" of the first card type whose "ccName" equals `name`; "" when there is no list,
  // no name or no match.
  std::string getCodeForCreditCard(const json::Value& name) const;
  // "ccName" of the first card type whose "ccCode" equals `code`; "" otherwise.
  std::string getCardNameForCardCode(const json::Value& code) const;

  // Fills creditCardTypes from cardTypes.plist when that file exists (a damaged file gives an
  // absent list); otherwise runs the card-type request on the main thread and waits for it.
  // Does nothing without a documents directory. Any thread.
  void populateCreditCardTypes();

  // Log-out: loginSuccessful becomes false, login.plist is deleted, the answer sections (cards
  // included) are emptied, the form fields cleared, and the shared state's promotion code and
  // order results dropped. The card-type list and the bag stay.
  void logOut();

 private:
  mutable std::mutex mutex_;
#define KELDA_PROFILE_MEMBER_VALUE(name, Setter) json::Value name##_;
#define KELDA_PROFILE_MEMBER_BOOL(name, Setter) bool name##_ = false;
  KELDA_PROFILE_VALUE_FIELDS(KELDA_PROFILE_MEMBER_VALUE)
  KELDA_PROFILE_BOOL_FIELDS(KELDA_PROFILE_MEMBER_BOOL)
#undef KELDA_PROFILE_MEMBER_VALUE
#undef KELDA_PROFILE_MEMBER_BOOL
};

}  // namespace kelda::gateway

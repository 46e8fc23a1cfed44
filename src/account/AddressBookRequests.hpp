// AddressBookRequests: the shipping-address requests of the shopper's address book.
// `updateEditMyAddressWithString` ("edit_shipping") adds or changes an address,
// `markAsPrimaryShippingAddress` ("edit_primary_shipping") makes one the default and
// `removeShippingAddress` ("delete_shipping") deletes one. Every request follows the frame of
// AccountEdit: only a confirmed answer replaces the stored sections. Synchronous, on the
// caller's thread; the body builder reads the profile record and the stored log-in.
#pragma once

#include <string>

#include "account/AccountOutcome.hpp"
#include "json/Value.hpp"

namespace kelda::gateway {
class UserProfileDetails;
}

namespace kelda::account {

class AddressBookRequests {
 public:
  // Sends `body` (the 13 address fields, already form-encoded).
  static AccountOutcome updateEditMyAddressWithString(const std::string& body);
  // Makes `address` the default shipping address. NotSent without a stored log-in pair.
  static AccountOutcome markAsPrimaryShippingAddress(const json::Value& address);
  // Deletes `address`. NotSent without a stored log-in pair.
  static AccountOutcome removeShippingAddress(const json::Value& address);

  // The "edit_shipping" body of the address form for `editedAddress` (absent for a new one):
  // with no address stored yet the new one is sent as the first and primary; otherwise the
  // default's id goes along and isPrimary is "1" only when the default itself is edited.
  static std::string editShippingBody(const gateway::UserProfileDetails& form,
                                      const json::Value& editedAddress);
};

}  // namespace kelda::account

// WalletRequests: the card requests of the shopper's wallet. `updateEditMyWalletWithString`
// ("edit_wallet") adds or changes a card (the registration's card step uses it too);
// `markAsPrimaryBillingAddress` ("edit_primary_wallet") makes a card the default;
// `removeBillingAddress` ("delete_wallet") deletes one. Every request follows the frame of
// AccountEdit: only a confirmed answer replaces the stored sections. Synchronous, on the
// caller's thread; the body builders read the profile record and the stored log-in.
#pragma once

#include <string>

#include "account/AccountOutcome.hpp"
#include "json/Value.hpp"

namespace kelda::gateway {
class UserProfileDetails;
}

namespace kelda::account {

class WalletRequests {
 public:
  // Sends `body` (the 16 card fields, already form-encoded).
  static AccountOutcome updateEditMyWalletWithString(const std::string& body);
  // Makes `card` the default card; `defaultCard` is the current default (absent: none).
  // NotSent without a stored log-in pair.
  static AccountOutcome markAsPrimaryBillingAddress(const json::Value& card,
                                                    const json::Value& defaultCard);
  // Deletes `card`. NotSent without a stored log-in pair.
  static AccountOutcome removeBillingAddress(const json::Value& card);

  // Makes sure the card types are at hand: an existing list is refreshed from cardTypes.plist,
  // a missing one is asked of the server. Blocks; call it from a worker.
  static void ensureCreditCardTypes();

  // The "edit_wallet" body of the card edit form: the card's fields from `form`, the ids of
  // `editedCard` (empty texts for a new card, `editedCard` absent), then the stored log-in.
  static std::string editWalletBody(const gateway::UserProfileDetails& form,
                                    const json::Value& editedCard);
  // The expiry the body carries: `typed` as it is, unless the shopper left the card's own
  // "cardExpirationDate" untouched; that one ("Mar, 2031" or "Mar 01, 2031") is re-formed as
  // "Mar 01, 2031".
  static std::string expiryForBody(const json::Value& typed, const json::Value& editedCard);
  // The number with every character but the last four shown as "*"; "" for none.
  static std::string maskedCardNumber(const json::Value& number);
};

}  // namespace kelda::account

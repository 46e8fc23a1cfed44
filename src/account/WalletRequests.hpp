// WalletRequests: the card requests of the shopper's wallet. `updateEditMyWalletWithString`
// ("edit_wallet") adds or changes a card; the registration's card step uses it too.
// Synchronous, on the caller's thread.
#pragma once

#include <string>

#include "account/AccountOutcome.hpp"

namespace kelda::account {

class WalletRequests {
 public:
  // Sends `body` (the 16 card fields, already form-encoded). The status section is cleared
  // first; an answer's status[0] becomes statusDictionary. Accepted (AUTHENTICATED): the
  // profile, shipping, card and default sections are replaced from the answer. Refused: the
  // server's error text is shown when longer than one character. NotSent without a connection;
  // Failed when there is no answer or it has no status (nothing else stored).
  static AccountOutcome updateEditMyWalletWithString(const std::string& body);
};

}  // namespace kelda::account

// AccountEdit: the one frame of the account edit requests (profile, cards, addresses). Each
// request checks the connection, clears the status section, sends its body and judges the
// answer: only a confirmed answer ("AUTHENTICATED") replaces the profile, address and card
// sections; a refusal or a missing answer leaves every section as it was, so the screens keep
// showing what the shopper had. Synchronous, on the caller's thread.
#pragma once

#include <optional>
#include <string>

#include "account/AccountOutcome.hpp"
#include "json/Value.hpp"

namespace kelda::account {

// One account edit request: its row of the endpoint index, its name in the log and the title
// of the alert that reports an exception.
struct AccountEditRequest {
  const char* operation;
  const char* logName;
  const char* exceptionTitle;
};

// The stored log-in when it holds exactly a user name and a password; nothing otherwise (no
// account request may then be sent).
struct LoginPair {
  std::string userName;
  std::string password;
};
std::optional<LoginPair> storedLoginPair();

// Sends `body` for `request`. NotSent without a connection (the "Network Error" alert was
// shown); Failed when there is no answer or it has no status (nothing stored); Refused when the
// server did not confirm (its status is kept as statusDictionary and its error text shown when
// longer than one character); Accepted when it did: statusDictionary and the five sections
// hold the answer.
AccountOutcome sendAccountEdit(const AccountEditRequest& request, const std::string& body);

// Stores the sections of a confirmed account answer: profile, shipping, default card, cards,
// default shipping (each whole).
void storeAccountSections(const json::Value& answer);

// What a screen says after a request: the unexpected-error message when it got no usable
// answer (the other outcomes have told the shopper already).
void tellIfFailed(AccountOutcome outcome);

// An empty value: absent, null or the empty text.
bool isBlank(const json::Value& value);

}  // namespace kelda::account

// AccountOutcome: what became of one account request (sign-in, registration, forgotten password,
// card edit), as its screen needs to know it. Only Accepted means that the server confirmed the
// request and its answer was stored; a screen never reads an earlier answer as this one's.
#pragma once

namespace kelda::account {

enum class AccountOutcome {
  NotSent,   // no connection: nothing was asked (the "Network Error" alert was shown)
  Failed,    // no answer, or one that is not an account answer: nothing was stored
  Refused,   // the server answered no (its message, if it gave one, was shown)
  Accepted,  // the server confirmed it
};

// The message for a request that got no usable answer.
inline constexpr const char* kUnexpectedErrorMessage =
    "We are sorry for the inconvenience. An unexpected error occurred. Please try again later.";

}  // namespace kelda::account

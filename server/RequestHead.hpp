// RequestHead: the HTTP front end's reading of a request head, made before any worker sees the
// request: whether the head is complete, how long the body is, whether the request must be
// refused (a head that is too large or has too many lines, a body over the limit, a body
// without a length, a length that cannot be read), and the head as the worker gets it.
//
// The worker's head differs from the client's in two ways: "Expect: 100-continue" is gone (the
// front end answers it itself, before the body arrives), and a "Range" asking for more than one
// range is gone, so the whole answer is served instead of one copy per range. Pure function of
// its input; any thread.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "HttpLimits.hpp"

namespace kelda::server {

struct RequestHead {
  enum class State { Incomplete, Complete, Refused };

  // Reads the head at the start of `buffer` (which may hold more, or less, than one request).
  static RequestHead parse(std::string_view buffer, const HttpLimits& limits);

  State state = State::Incomplete;
  int status = 0;             // Refused: the HTTP status of the refusal
  std::string reason;         // Refused: the refusal's text for the shopper
  std::size_t headBytes = 0;  // Complete: the client's head, up to and with its blank line
  std::size_t bodyBytes = 0;  // Complete: the declared body length
  bool expectsContinue = false;
  std::string rewritten;  // Complete: the head to hand to the worker
};

}  // namespace kelda::server

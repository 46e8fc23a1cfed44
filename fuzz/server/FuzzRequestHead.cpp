// Fuzzes the HTTP front end's reading of request heads: any bytes must be read without fault,
// a complete head must be handed on without "Expect" or "Range" and end with its blank line,
// and every refusal must carry one of the front end's statuses.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "RequestHead.hpp"
#include "Text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  kelda::server::HttpLimits limits;
  limits.maxHeadBytes = 4096;
  limits.maxHeaderLines = 16;
  const auto head = kelda::server::RequestHead::parse(input, limits);
  using State = kelda::server::RequestHead::State;
  if (head.state == State::Complete) {
    const std::string lower = kelda::server::lowerAscii(head.rewritten);
    if (head.headBytes > input.size() || head.bodyBytes > limits.maxBodyBytes) std::abort();
    if (head.rewritten.size() < 4 || head.rewritten.substr(head.rewritten.size() - 4) != "\r\n\r\n")
      std::abort();
    if (lower.find("\r\nrange:") != std::string::npos ||
        lower.find("\r\nexpect:") != std::string::npos)
      std::abort();
  } else if (head.state == State::Refused) {
    const int s = head.status;
    if (s != 400 && s != 411 && s != 413 && s != 431) std::abort();
  }
  return 0;
}

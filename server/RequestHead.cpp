#include "RequestHead.hpp"

#include "Text.hpp"

namespace kelda::server {
namespace {

RequestHead refused(int status, std::string reason) {
  RequestHead head;
  head.state = RequestHead::State::Refused;
  head.status = status;
  head.reason = std::move(reason);
  return head;
}

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && lowerAscii(a) == lowerAscii(b);
}

std::size_t countLines(std::string_view text) {
  std::size_t lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

}  // namespace

RequestHead RequestHead::parse(std::string_view buffer, const HttpLimits& limits) {
  const std::size_t end = buffer.find("\r\n\r\n");
  const std::string_view head =
      buffer.substr(0, end == std::string_view::npos ? buffer.size() : end + 4);
  if (head.size() > limits.maxHeadBytes) {
    return refused(431, "The request's header is too large.");
  }
  // The request line, the header lines and the blank line that ends them.
  if (countLines(head) > limits.maxHeaderLines + 2) {
    return refused(431, "The request has too many header lines.");
  }
  if (end == std::string_view::npos) return {};

  RequestHead result;
  result.state = State::Complete;
  result.headBytes = end + 4;
  bool haveLength = false;
  std::size_t from = head.find("\r\n") + 2;
  result.rewritten.assign(head.substr(0, from));
  while (from < end + 2) {
    const std::size_t lineEnd = head.find("\r\n", from);
    const std::string_view line = head.substr(from, lineEnd - from);
    from = lineEnd + 2;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return refused(400, "The request could not be read.");
    const std::string_view name = line.substr(0, colon);
    if (name.empty() || name.find_first_of(" \t") != std::string_view::npos) {
      return refused(400, "The request could not be read.");
    }
    const std::string value = trim(line.substr(colon + 1));
    if (sameName(name, "Content-Length")) {
      const auto length = parseBounded(value, 0, 1LL << 50);
      if (!length || (haveLength && result.bodyBytes != static_cast<std::size_t>(*length))) {
        return refused(400, "The request could not be read.");
      }
      haveLength = true;
      result.bodyBytes = static_cast<std::size_t>(*length);
    } else if (sameName(name, "Transfer-Encoding")) {
      return refused(411, "The request must state the length of its body.");
    } else if (sameName(name, "Expect")) {
      result.expectsContinue = lowerAscii(value) == "100-continue";
      continue;
    } else if (sameName(name, "Range")) {
      continue;  // answers are small: always served whole
    }
    result.rewritten.append(line).append("\r\n");
  }
  result.rewritten.append("\r\n");
  if (result.bodyBytes > limits.maxBodyBytes) {
    return refused(413, "The request is larger than 1 MB.");
  }
  return result;
}

}  // namespace kelda::server

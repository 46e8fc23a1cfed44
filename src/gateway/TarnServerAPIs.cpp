// The gateway's instance and its transport: the two request primitives (and the POST with
// "Content-Length" that result-list operations build), the time-out, and the connectivity
// check that every endpoint operation runs first.
#include "gateway/TarnServerAPIs.hpp"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

#include "gateway/Connectivity.hpp"
#include "json/SBJson.hpp"
#include "json/Utf8.hpp"
#include "platform/Context.hpp"
#include "platform/HttpClient.hpp"
#include "platform/Log.hpp"
#include "ui/AlertView.hpp"
#include "ui/NetworkActivityIndicator.hpp"

namespace kelda::gateway {
namespace {

constexpr std::string_view kNoConnectionTitle = "Network Error";
constexpr std::string_view kNoConnectionMessage = "No connection found, please try again later.";

// Longest piece of an answer that goes into one log line.
constexpr std::size_t kLoggedAnswerBytes = 16 * 1024;

// The text for the log: secrets masked first (so that a cut cannot split one and leave a
// piece unmasked), then cut to size at a character boundary.
std::string forLog(std::string_view text) {
  std::string masked = log::redact(text);
  if (masked.size() <= kLoggedAnswerBytes) return masked;
  std::size_t cut = kLoggedAnswerBytes;
  while (cut > 0 && (static_cast<unsigned char>(masked[cut]) & 0xC0) == 0x80) --cut;
  const std::size_t total = masked.size();
  masked.resize(cut);
  return masked + "... (" + std::to_string(total) + " bytes)";
}

// Sends the request and decodes the answer: absent on a failed exchange, an answer that is
// not UTF-8, or one that is not a JSON object or array. The HTTP status is not examined.
json::Value exchange(std::string_view operation, platform::HttpRequest request) {
  const platform::HttpResponse response = platform::HttpClient::sendOnce(request);
  if (response.failed) {
    log::debug(operation, "no answer: " + response.error);
    return {};
  }
  if (!json::utf8::isValid(response.body)) {
    log::debug(operation, "answer is not UTF-8 text");
    return {};
  }
  if (log::enabled(log::Level::Debug)) log::debug(operation, forLog(response.body));
  json::SBJsonParser parser;
  json::Value answer = parser.objectWithString(response.body);
  if (log::enabled(log::Level::Debug)) log::debug(operation, forLog(answer.describe()));
  return answer;
}

platform::HttpRequest post(const std::string& url, const std::string& body,
                           std::chrono::milliseconds timeout) {
  platform::HttpRequest request;
  request.method = platform::HttpRequest::Method::Post;
  request.url = url;
  request.body = body;
  request.timeout = timeout;
  return request;
}

}  // namespace

TarnServerAPIs& TarnServerAPIs::sharedInstance() {
  return platform::shared<TarnServerAPIs>();
}

json::Value TarnServerAPIs::downloadPostData(const std::string& url, const std::string& body) {
  return exchange("-[TarnServerAPIs downloadPostData::]", post(url, body, timeout()));
}

json::Value TarnServerAPIs::downloadGetData(const std::string& url) {
  platform::HttpRequest request;
  request.url = url;
  request.timeout = timeout();
  return exchange("-[TarnServerAPIs downloadGetData:]", std::move(request));
}

json::Value TarnServerAPIs::downloadPostDataWithContentLength(const std::string& url,
                                                              const std::string& body) {
  platform::HttpRequest request = post(url, body, timeout());
  request.headers.emplace_back("Content-Length", std::to_string(body.size()));
  return exchange("-[TarnServerAPIs downloadPostDataWithContentLength::]", std::move(request));
}

bool TarnServerAPIs::internetConnectionAvailable() {
  const std::string status = checkNetworkConnectivity();
  log::debug("-[TarnServerAPIs internetConnectionAvailable]", status);
  std::string lower = status;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower != "noaccess") return true;
  ui::setNetworkActivityIndicatorVisible(false);
  ui::AlertView alert;
  alert.title = std::string(kNoConnectionTitle);
  alert.message = std::string(kNoConnectionMessage);
  alert.buttons = {"OK"};
  ui::showAlert(std::move(alert));
  return false;
}

void TarnServerAPIs::setTimeout(std::chrono::milliseconds timeout) {
  std::lock_guard lock(mutex_);
  timeout_ = timeout;
}

std::chrono::milliseconds TarnServerAPIs::timeout() const {
  std::lock_guard lock(mutex_);
  return timeout_;
}

}  // namespace kelda::gateway

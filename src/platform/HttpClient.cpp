#include "platform/HttpClient.hpp"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <mutex>

namespace kelda::platform {
namespace {

using SteadyTime = std::chrono::steady_clock::time_point;

// curl_global_init is not safe to race with other libcurl calls: run it once, first.
void initialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlHandleDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using CurlHandle = std::unique_ptr<CURL, CurlHandleDeleter>;

struct HeaderListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

struct CurlUrlDeleter {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

struct CurlTextDeleter {
  void operator()(char* text) const { curl_free(text); }
};

// One exchange's progress: the body so far and what may end it early.
struct Transfer {
  std::string* body = nullptr;
  std::size_t maxBodyBytes = 0;
  bool overflowed = false;
  const std::atomic<bool>* cancel = nullptr;
  bool cancelled = false;
  std::chrono::milliseconds silenceLimit{0};
  curl_off_t lastBytes = -1;
  SteadyTime lastActivity = std::chrono::steady_clock::now();
  bool silent = false;
};

size_t appendBody(char* data, size_t size, size_t count, void* userdata) {
  auto* transfer = static_cast<Transfer*>(userdata);
  const size_t bytes = size * count;
  if (transfer->body->size() + bytes > transfer->maxBodyBytes) {
    transfer->overflowed = true;
    return 0;  // a short count makes libcurl abort the transfer
  }
  transfer->body->append(data, bytes);
  return bytes;
}

// Called by libcurl often while bytes flow and about once a second while none do: ends the
// exchange on cancellation or after `silenceLimit` without a byte in either direction.
int watchProgress(void* userdata, curl_off_t, curl_off_t downloaded, curl_off_t,
                  curl_off_t uploaded) {
  auto* transfer = static_cast<Transfer*>(userdata);
  if (transfer->cancel != nullptr && transfer->cancel->load(std::memory_order_relaxed)) {
    transfer->cancelled = true;
    return 1;
  }
  const auto now = std::chrono::steady_clock::now();
  const curl_off_t bytes = downloaded + uploaded;
  if (bytes != transfer->lastBytes) {
    transfer->lastBytes = bytes;
    transfer->lastActivity = now;
    return 0;
  }
  if (now - transfer->lastActivity > transfer->silenceLimit) {
    transfer->silent = true;
    return 1;
  }
  return 0;
}

bool appendHeader(HeaderList& list, const std::string& line) {
  curl_slist* grown = curl_slist_append(list.get(), line.c_str());
  if (grown == nullptr) return false;
  list.release();
  list.reset(grown);
  return true;
}

// Our header lines, plus an empty "Expect:" so that libcurl never waits for
// "100 Continue" before sending a large body.
HeaderList buildHeaders(const HttpRequest& request) {
  HeaderList list;
  for (const auto& [name, value] : request.headers) {
    if (!appendHeader(list, name + ": " + value)) return nullptr;
  }
  if (request.method == HttpRequest::Method::Post && !appendHeader(list, "Expect:")) {
    return nullptr;
  }
  return list;
}

void configure(CURL* curl, const HttpRequest& request, curl_slist* headers, Transfer& transfer) {
  curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);                  // redirects are judged by us
  curl_easy_setopt(curl, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");  // loopback goes direct
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // worker threads: no SIGALRM for time-outs
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.timeout.count()));
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBodyBytes));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, appendBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, watchProgress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  if (request.method == HttpRequest::Method::Post) {
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(request.body.size()));
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.data());
  } else {
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  }
}

std::string failureText(CURLcode code, const Transfer& transfer) {
  if (transfer.overflowed || code == CURLE_FILESIZE_EXCEEDED) {
    return "answer larger than the size limit";
  }
  if (transfer.cancelled) return "cancelled";
  if (transfer.silent) return "no data for longer than the time-out";
  return code == CURLE_OK ? std::string() : curl_easy_strerror(code);
}

struct Exchange {
  HttpResponse response;
  std::string redirectTo;  // the Location of a redirect answer, resolved; else empty
};

Exchange performOne(CURL* curl, const HttpRequest& request) {
  Exchange exchange;
  HttpResponse& response = exchange.response;
  HeaderList headers = buildHeaders(request);
  if (headers == nullptr &&
      (!request.headers.empty() || request.method == HttpRequest::Method::Post)) {
    response.error = "out of memory for the request headers";
    return exchange;
  }
  Transfer transfer;
  transfer.body = &response.body;
  transfer.maxBodyBytes = request.maxBodyBytes;
  transfer.cancel = request.cancel;
  transfer.silenceLimit = request.timeout;
  configure(curl, request, headers.get(), transfer);
  const CURLcode code = curl_easy_perform(curl);
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response.status);
  const char* type = nullptr;
  if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type != nullptr) {
    response.contentType = type;
  }
  const char* location = nullptr;
  if (curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &location) == CURLE_OK &&
      location != nullptr) {
    exchange.redirectTo = location;
  }
  response.error = failureText(code, transfer);
  response.failed = !response.error.empty();
  if (response.failed) response.body.clear();
  // The handle must not keep pointers to this call's header list, body and transfer.
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
  curl_easy_setopt(curl, CURLOPT_POSTFIELDS, nullptr);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, nullptr);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, nullptr);
  return exchange;
}

std::string lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  });
  return text;
}

bool isRedirect(long status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::string schemeOf(const std::string& origin) {
  return origin.substr(0, origin.find(':'));
}

}  // namespace

struct HttpClient::Impl {
  CurlHandle handle;
};

HttpClient::HttpClient() : impl_(std::make_unique<Impl>()) {
  initialiseCurlOnce();
  impl_->handle.reset(curl_easy_init());
}

HttpClient::~HttpClient() = default;

HttpResponse HttpClient::send(const HttpRequest& request) {
  if (impl_->handle == nullptr) {
    HttpResponse response;
    response.error = "no HTTP handle";
    return response;
  }
  HttpRequest current = request;
  for (int redirects = 0;; ++redirects) {
    // Reset clears the previous request's options but keeps the open connections.
    curl_easy_reset(impl_->handle.get());
    Exchange exchange = performOne(impl_->handle.get(), current);
    if (exchange.response.failed || !isRedirect(exchange.response.status) ||
        exchange.redirectTo.empty()) {
      return std::move(exchange.response);
    }
    std::optional<HttpRequest> next =
        redirects < kMaxRedirects
            ? followRedirect(current, exchange.response.status, exchange.redirectTo)
            : std::nullopt;
    if (!next) {
      HttpResponse refused;
      refused.status = exchange.response.status;
      refused.error = redirects < kMaxRedirects ? "redirect refused: " + exchange.redirectTo
                                                : "too many redirects";
      return refused;
    }
    current = std::move(*next);
  }
}

HttpResponse HttpClient::sendOnce(const HttpRequest& request) {
  HttpClient client;
  return client.send(request);
}

std::optional<HttpRequest> followRedirect(const HttpRequest& previous, long status,
                                          const std::string& target) {
  const std::optional<std::string> from = originOf(previous.url);
  const std::optional<std::string> to = originOf(target);
  if (!from || !to) return std::nullopt;
  if (schemeOf(*from) == "https" && schemeOf(*to) != "https") return std::nullopt;
  HttpRequest next = previous;
  next.url = target;
  if (previous.method == HttpRequest::Method::Post) {
    if (*from != *to) return std::nullopt;
    if (status != 307 && status != 308) {
      next.method = HttpRequest::Method::Get;
      next.body.clear();
      next.headers.erase(std::remove_if(next.headers.begin(), next.headers.end(),
                                        [](const auto& header) {
                                          const std::string name = lowercase(header.first);
                                          return name == "content-length" || name == "content-type";
                                        }),
                         next.headers.end());
    }
  }
  return next;
}

std::optional<std::string> originOf(const std::string& url) {
  initialiseCurlOnce();
  std::unique_ptr<CURLU, CurlUrlDeleter> parsed(curl_url());
  if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
    return std::nullopt;
  }
  auto part = [&](CURLUPart which, unsigned flags) -> std::optional<std::string> {
    char* raw = nullptr;
    if (curl_url_get(parsed.get(), which, &raw, flags) != CURLUE_OK || raw == nullptr) {
      return std::nullopt;
    }
    std::unique_ptr<char, CurlTextDeleter> text(raw);
    return std::string(raw);
  };
  std::optional<std::string> scheme = part(CURLUPART_SCHEME, 0);
  std::optional<std::string> host = part(CURLUPART_HOST, 0);
  std::optional<std::string> port = part(CURLUPART_PORT, CURLU_DEFAULT_PORT);
  if (!scheme || !host || !port || (*scheme != "http" && *scheme != "https")) return std::nullopt;
  return lowercase(*scheme + "://" + *host + ":" + *port);
}

}  // namespace kelda::platform

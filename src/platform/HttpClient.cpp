#include "platform/HttpClient.hpp"

#include <curl/curl.h>

#include <mutex>

namespace kelda::platform {
namespace {

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

struct BodySink {
  std::string* body;
  bool overflowed = false;
};

size_t appendBody(char* data, size_t size, size_t count, void* userdata) {
  auto* sink = static_cast<BodySink*>(userdata);
  const size_t bytes = size * count;
  if (sink->body->size() + bytes > HttpClient::kMaxBodyBytes) {
    sink->overflowed = true;
    return 0;  // a short count makes libcurl abort the transfer
  }
  sink->body->append(data, bytes);
  return bytes;
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

void configure(CURL* curl, const HttpRequest& request, curl_slist* headers, BodySink& sink) {
  curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");  // loopback goes direct
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // worker threads: no SIGALRM for time-outs
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(request.timeout.count()));
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE,
                   static_cast<curl_off_t>(HttpClient::kMaxBodyBytes));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, appendBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
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

void readResult(CURL* curl, CURLcode code, const BodySink& sink, HttpResponse& response) {
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response.status);
  const char* type = nullptr;
  if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type != nullptr) {
    response.contentType = type;
  }
  if (sink.overflowed || code == CURLE_FILESIZE_EXCEEDED) {
    response.error = "answer larger than the size limit";
  } else if (code != CURLE_OK) {
    response.error = curl_easy_strerror(code);
  }
  response.failed = !response.error.empty();
  if (response.failed) response.body.clear();
}

HttpResponse perform(CURL* curl, const HttpRequest& request) {
  HttpResponse response;
  HeaderList headers = buildHeaders(request);
  if (headers == nullptr &&
      (!request.headers.empty() || request.method == HttpRequest::Method::Post)) {
    response.error = "out of memory for the request headers";
    return response;
  }
  BodySink sink{&response.body};
  configure(curl, request, headers.get(), sink);
  const CURLcode code = curl_easy_perform(curl);
  readResult(curl, code, sink, response);
  // The handle must not keep pointers to this call's header list and body.
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
  curl_easy_setopt(curl, CURLOPT_POSTFIELDS, nullptr);
  return response;
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
  // Reset clears the previous request's options but keeps the open connections.
  curl_easy_reset(impl_->handle.get());
  return perform(impl_->handle.get(), request);
}

HttpResponse HttpClient::sendOnce(const HttpRequest& request) {
  HttpClient client;
  return client.send(request);
}

}  // namespace kelda::platform

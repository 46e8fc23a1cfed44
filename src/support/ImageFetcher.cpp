#include "support/ImageFetcher.hpp"

#include <curl/curl.h>

namespace kelda::support {

namespace {
struct Transfer {
  std::string body;
  bool tooLarge = false;
  const std::atomic<bool>* cancel = nullptr;
};

std::size_t append(char* data, std::size_t size, std::size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  std::size_t bytes = size * count;
  if (transfer->body.size() + bytes > ImageFetcher::kMaxImageBytes) {
    transfer->tooLarge = true;
    return 0;  // stops the transfer
  }
  transfer->body.append(data, bytes);
  return bytes;
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* transfer = static_cast<Transfer*>(user);
  return transfer->cancel != nullptr && transfer->cancel->load() ? 1 : 0;
}

// libcurl's global set-up, once per process before the first handle.
void initialiseCurl() {
  static const bool done = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  (void)done;
}
}  // namespace

struct ImageFetcher::Impl {
  CURL* curl = nullptr;
};

ImageFetcher::ImageFetcher() : impl_(std::make_unique<Impl>()) {
  initialiseCurl();
  impl_->curl = curl_easy_init();
}

ImageFetcher::~ImageFetcher() {
  if (impl_->curl != nullptr) curl_easy_cleanup(impl_->curl);
}

std::optional<std::string> ImageFetcher::fetch(const std::string& url,
                                               std::chrono::milliseconds timeout,
                                               const std::atomic<bool>* cancel) {
  CURL* curl = impl_->curl;
  if (curl == nullptr) return std::nullopt;
  Transfer transfer;
  transfer.cancel = cancel;
  curl_easy_reset(curl);  // keeps the open connections, drops the last request's options
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxImageBytes));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, append);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  if (curl_easy_perform(curl) != CURLE_OK || transfer.tooLarge) return std::nullopt;
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  if (status < 200 || status > 299) return std::nullopt;
  return std::move(transfer.body);
}

}  // namespace kelda::support

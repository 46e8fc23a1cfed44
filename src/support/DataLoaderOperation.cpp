#include "support/DataLoaderOperation.hpp"

#include <algorithm>
#include <utility>

#include "platform/HttpClient.hpp"
#include "support/ImageLoader.hpp"

namespace kelda::support {

DataLoaderOperation::DataLoaderOperation(std::string imageURL, std::uint64_t identifier,
                                         platform::PendingWork pending)
    : imageURL_(std::move(imageURL)), identifier_(identifier), pending_(std::move(pending)) {}

void DataLoaderOperation::addTarget(std::shared_ptr<ImageLoader> target) {
  targets_.push_back(std::move(target));
}

std::vector<std::shared_ptr<ImageLoader>> DataLoaderOperation::takeTargets() {
  return std::exchange(targets_, {});
}

bool DataLoaderOperation::isWanted() const {
  return std::any_of(targets_.begin(), targets_.end(),
                     [](const auto& target) { return target->hasReceiver(); });
}

std::optional<std::string> DataLoaderOperation::main(platform::HttpClient& client,
                                                     std::chrono::milliseconds timeout,
                                                     const std::atomic<bool>& cancel) const {
  platform::HttpRequest request;
  request.url = imageURL_;
  request.timeout = timeout;
  request.maxBodyBytes = kMaxImageBytes;
  request.cancel = &cancel;
  platform::HttpResponse response = client.send(request);
  if (!response.succeeded()) return std::nullopt;
  return std::move(response.body);
}

}  // namespace kelda::support

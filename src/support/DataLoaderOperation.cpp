#include "support/DataLoaderOperation.hpp"

#include <utility>

#include "support/ImageFetcher.hpp"
#include "support/ImageLoader.hpp"

namespace kelda::support {

std::shared_ptr<DataLoaderOperation> DataLoaderOperation::queueDataLoadWithURL(
    std::string imageURL, std::uint64_t identifier, std::shared_ptr<ImageLoader> callbackTarget,
    Selector callbackSelector) {
  std::shared_ptr<DataLoaderOperation> operation(new DataLoaderOperation());
  operation->imageURL_ = std::move(imageURL);
  operation->identifier_ = identifier;
  operation->callbackTarget_ = std::move(callbackTarget);
  operation->callbackSelector_ = callbackSelector;
  return operation;
}

void DataLoaderOperation::main(ImageFetcher& fetcher, std::chrono::milliseconds timeout,
                               const std::atomic<bool>& cancel) {
  if (!callbackTarget_ || callbackSelector_ == nullptr || !callbackTarget_->hasReceiver()) return;
  std::optional<std::string> bytes = fetcher.fetch(imageURL_, timeout, &cancel);
  if (cancel.load()) return;
  ((*callbackTarget_).*callbackSelector_)(std::move(bytes));
}

}  // namespace kelda::support

#include "product/ProductRequests.hpp"

#include <string>

#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/Wire.hpp"
#include "platform/RunLoop.hpp"
#include "product/ChoiceLists.hpp"
#include "ui/NetworkActivityIndicator.hpp"

namespace kelda::product {
namespace {

using gateway::TarnObjects;
using gateway::TarnServerAPIs;

// A product answer: a dictionary whose "data"[0] is the product's dictionary. Anything else
// cannot show a page and is not stored, so the product on screen stays.
bool isProductAnswer(const json::Value& answer) {
  return answer.isObject() && answer["data"][0].isObject();
}

}  // namespace

RequestStatus ProductRequests::resultForProductDescription(const std::string& productId,
                                                           const std::string& categoryId,
                                                           const std::string& categoryFlag) {
  RequestStatus status = RequestStatus::Failed;
  gateway::guarded("-[ProductRequests resultForProductDescription:::]", [&] {
    if (!TarnServerAPIs::sharedInstance().internetConnectionAvailable()) {
      status = RequestStatus::NotSent;
      return;
    }
    json::Value answer =
        gateway::request("resultForProductDescription", {productId, categoryId, categoryFlag});
    ui::setNetworkActivityIndicatorVisible(false);
    if (!isProductAnswer(answer)) return;
    status = RequestStatus::Answered;
    auto& state = TarnObjects::sharedInstance();
    state.setProductDescriptionList(answer);
    platform::detachThread([] { TarnServerAPIs::sharedInstance().coreMetricsForPDP(); });
    state.setCategoryFlag(answer["categoryFlag"]);
    state.setCoreMetricsCategoryId(answer["categoryId"]);
    const std::string kind = answer["PDPFLAG"].str();
    if (kind == "ITEM") state.setCollectionProductDescriptionList(answer);
    if (kind == "TAB") state.setTabCollectionProductDescriptionList(answer);
    storeAttributeLists(answer);
    storeQuantityChoices(answer);
  });
  return status;
}

RequestStatus ProductRequests::resultForLoadMoreReviewsProductDescription(
    const std::string& pageNumber) {
  RequestStatus status = RequestStatus::Failed;
  gateway::guarded("-[ProductRequests resultForLoadMoreReviewsProductDescription:]", [&] {
    if (!TarnServerAPIs::sharedInstance().internetConnectionAvailable()) {
      status = RequestStatus::NotSent;
      return;
    }
    auto& state = TarnObjects::sharedInstance();
    const std::string productId = state.productDescriptionList()["data"][0]["prodId"].describe();
    json::Value answer =
        gateway::request("resultForLoadMoreReviewsProductDescription", {productId, pageNumber});
    ui::setNetworkActivityIndicatorVisible(false);
    // A page that does not arrive leaves the shown product's answer in place: adding to the
    // bag still finds its articles.
    if (!isProductAnswer(answer)) return;
    status = RequestStatus::Answered;
    state.setProductDescriptionList(answer);
    storeAttributeLists(answer);
  });
  return status;
}

}  // namespace kelda::product

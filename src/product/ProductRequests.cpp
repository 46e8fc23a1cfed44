#include "product/ProductRequests.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/Wire.hpp"
#include "platform/RunLoop.hpp"
#include "ui/NetworkActivityIndicator.hpp"

namespace kelda::product {
namespace {

using gateway::TarnObjects;
using gateway::TarnServerAPIs;

// The quantity wheel offers at most this many choices, whatever "maxQuantity" says: a huge
// value must not build a list of millions of texts.
constexpr long long kMaxQuantityChoices = 999;

json::Value quantityChoices(const json::Value& maxQuantity) {
  const long long count = std::clamp(maxQuantity.intValue(), 0LL, kMaxQuantityChoices);
  std::vector<json::Value> texts;
  texts.reserve(static_cast<std::size_t>(count));
  for (long long q = 1; q <= count; ++q) texts.emplace_back(std::to_string(q));
  return json::Value::array(std::move(texts));
}

void storeAttributeLists(TarnObjects& state, const json::Value& answer) {
  state.setSizeArray({});
  state.setColorArray({});
  state.setTypeArray({});
  state.setProdAtrributeArray({});
  json::Value keys = answer["prodAttrKey"];
  if (keys.isArray() && !keys.empty()) state.setProdAtrributeArray(keys);
  for (json::Value attribute : answer["prod_attributes"].items()) {
    const std::string name = attribute["prodAttrName"].str();
    json::Value values = attribute["prodAttrValue"];
    if (name == "SIZE") state.setSizeArray(values);
    if (name == "COLOR") state.setColorArray(values);
    if (name == "TYPE") state.setTypeArray(values);
  }
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
    if (!answer.isObject()) return;
    status = RequestStatus::Answered;
    auto& state = TarnObjects::sharedInstance();
    state.setProductDescriptionList(answer);
    platform::detachThread([] { TarnServerAPIs::sharedInstance().coreMetricsForPDP(); });
    state.setCategoryFlag(answer["categoryFlag"]);
    state.setCoreMetricsCategoryId(answer["categoryId"]);
    const std::string kind = answer["PDPFLAG"].str();
    if (kind == "ITEM") state.setCollectionProductDescriptionList(answer);
    if (kind == "TAB") state.setTabCollectionProductDescriptionList(answer);
    storeAttributeLists(state, answer);
    state.setQtyArray(quantityChoices(answer["data"][std::size_t{0}]["maxQuantity"]));
  });
  return status;
}

}  // namespace kelda::product

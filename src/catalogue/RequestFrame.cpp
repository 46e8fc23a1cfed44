#include "catalogue/RequestFrame.hpp"

#include <utility>

#include "catalogue/ResultAnswer.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/Wire.hpp"
#include "json/SBJson.hpp"

namespace kelda::catalogue {

bool connected() {
  return gateway::TarnServerAPIs::sharedInstance().internetConnectionAvailable();
}

RequestStatus guardedRequest(std::string_view operation,
                             const std::function<RequestStatus()>& body) {
  RequestStatus status = RequestStatus::Failed;
  gateway::guarded(operation, [&] { status = connected() ? body() : RequestStatus::NotSent; });
  return status;
}

std::string brandAndPriceText(const std::string& brand, const std::string& price) {
  const json::Value refinements = json::Value::object({{"BRAND", brand}, {"PRICE", price}});
  return json::JSONFragment(refinements).value_or("");
}

RequestStatus storeAnswer(std::string_view operation,
                          std::initializer_list<std::string_view> values,
                          void (gateway::TarnObjects::*store)(json::Value)) {
  json::Value answer = gateway::request(operation, values);
  if (!answer.isObject()) return RequestStatus::Failed;
  (gateway::TarnObjects::sharedInstance().*store)(std::move(answer));
  return RequestStatus::Answered;
}

RequestStatus appendPage(ResultList list, std::string_view operation,
                         std::initializer_list<std::string_view> values) {
  const json::Value page = gateway::request(operation, values);
  if (page.isAbsent()) return RequestStatus::Failed;
  storeListAnswer(list, mergeResultsPage(listAnswer(list), page));
  return RequestStatus::Answered;
}

}  // namespace kelda::catalogue

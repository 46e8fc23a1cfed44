#include "stores/AnsweredRequest.hpp"

#include <utility>

#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/Wire.hpp"

namespace kelda::stores {

gateway::RequestStatus answeredRequest(std::string_view guardName, std::string_view operation,
                                       std::initializer_list<std::string_view> values,
                                       const std::function<void(json::Value)>& keep) {
  gateway::RequestStatus status = gateway::RequestStatus::Failed;
  gateway::guarded(guardName, [&] {
    if (!gateway::TarnServerAPIs::sharedInstance().internetConnectionAvailable()) {
      status = gateway::RequestStatus::NotSent;
      return;
    }
    json::Value answer = gateway::request(operation, values);
    if (!answer.isObject()) return;
    keep(std::move(answer));
    status = gateway::RequestStatus::Answered;
  });
  return status;
}

}  // namespace kelda::stores

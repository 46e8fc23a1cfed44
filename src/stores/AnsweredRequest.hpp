// The frame every store request shares: inside the exception guard, check the connection, send
// the request of the operation's row of the endpoint index and hand an answer that is a JSON
// object to `keep`, which stores it. Used by StoresRequests and FindInStoreRequests.
#pragma once

#include <functional>
#include <initializer_list>
#include <string_view>

#include "gateway/RequestStatus.hpp"
#include "json/Value.hpp"

namespace kelda::stores {

// NotSent without a connection (the check has shown its alert); Failed for no answer, one that
// is not a JSON object, or an exception (reported by the guard); else Answered after `keep`.
gateway::RequestStatus answeredRequest(std::string_view guardName, std::string_view operation,
                                       std::initializer_list<std::string_view> values,
                                       const std::function<void(json::Value)>& keep);

}  // namespace kelda::stores

// RequestFrame: the frame every catalogue request shares: the connection check, the exception
// guard, and storing a result page into the shared answer of the list it belongs to.
//
// Stateless; called on the worker thread of the screen that asked (TarnObjects synchronises
// itself).
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "catalogue/ResultLists.hpp"
#include "gateway/RequestStatus.hpp"
#include "json/Value.hpp"

namespace kelda::gateway {
class TarnObjects;
}  // namespace kelda::gateway

namespace kelda::catalogue {

using gateway::RequestStatus;

// True when the middleware can be reached; otherwise the "Network Error" alert has been shown.
bool connected();

// Runs `body` inside the exception guard: NotSent without a connection, what `body` answered
// otherwise, Failed after an exception.
RequestStatus guardedRequest(std::string_view operation,
                             const std::function<RequestStatus()>& body);

// {"BRAND": brand, "PRICE": price} as compact JSON text (the body encodes it like any value).
std::string brandAndPriceText(const std::string& brand, const std::string& price);

// Sends the operation's request and, when the answer is a dictionary, stores it with the
// TarnObjects setter `store`; Failed (nothing stored) otherwise.
RequestStatus storeAnswer(std::string_view operation,
                          std::initializer_list<std::string_view> values,
                          void (gateway::TarnObjects::*store)(json::Value));

// Sends the page request of an endpoint row and appends the page after the products `list`
// already holds. Failed (and the list unchanged) when no answer came.
RequestStatus appendPage(ResultList list, std::string_view operation,
                         std::initializer_list<std::string_view> values);

}  // namespace kelda::catalogue

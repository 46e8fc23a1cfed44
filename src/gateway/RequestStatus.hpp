// RequestStatus: what became of one request, as a screen needs to know it. An answer belongs
// to its request: only Answered means the shared state now holds this request's answer; after
// NotSent (no connection: the "Network Error" alert was shown) or Failed (no answer, or one that
// is not JSON) the shared state is as it was before the request.
#pragma once

namespace kelda::gateway {

enum class RequestStatus { NotSent, Failed, Answered };

}  // namespace kelda::gateway

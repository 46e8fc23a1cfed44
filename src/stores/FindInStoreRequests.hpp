// FindInStoreRequests: the find-in-store requests ("findinstore"): the stores near a ZIP code,
// a city and state or a position, each with the availability of one UPC there.
//
// Run synchronously on a screen's worker; the decoded answer is stored whole as the shared
// findInStoreDictionary, and only when the request was Answered (see StoresRequests), so a
// failed search never shows an earlier availability as its own.
#pragma once

#include <string>

#include "gateway/RequestStatus.hpp"

namespace kelda::stores {

class FindInStoreRequests {
 public:
  static gateway::RequestStatus locateFindInStoresByZip(const std::string& zip,
                                                        const std::string& upcNumber);
  static gateway::RequestStatus locateFindInStoresByCity(const std::string& city,
                                                         const std::string& state,
                                                         const std::string& upcNumber);
  static gateway::RequestStatus locateFindInStoresByLocation(const std::string& latitude,
                                                             const std::string& longitude,
                                                             const std::string& upcNumber);
};

}  // namespace kelda::stores

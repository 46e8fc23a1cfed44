// StoresRequests: the store locator's requests to the middleware server: stores near a ZIP
// code, a city and state or a position ("store_locator"), the in-store savings pass of a place
// ("instore_savingspass") and a store's events ("store_events").
//
// Each operation runs synchronously on the caller's thread (a screen's worker): it checks the
// connection (the "Network Error" alert when there is none), sends its request and stores the
// decoded answer whole in TarnObjects. Only an Answered request changes the shared state: after
// NotSent or Failed (no answer, or one that is not a JSON object) the previous answer stays
// where it was and no screen may read it as this request's.
#pragma once

#include <string>

#include "gateway/RequestStatus.hpp"

namespace kelda::stores {

using gateway::RequestStatus;

class StoresRequests {
 public:
  // "store_locator" -> storeLocationsRecord.
  static RequestStatus locateStoresByZip(const std::string& zip);
  static RequestStatus locateStoresByCity(const std::string& city, const std::string& state);
  static RequestStatus locateStoresByLocation(const std::string& latitude,
                                              const std::string& longitude);
  // "instore_savingspass" -> inStoreSavingPassResultsDictionary: the pass of a typed ZIP code
  // or city and state, and of a store's postal code.
  static RequestStatus locateStoresByZip1(const std::string& zip);
  static RequestStatus locateStoresByCity1(const std::string& city, const std::string& state);
  static RequestStatus inStoreSavingPass(const std::string& postalCode);
  // "store_events" -> storeLocationEventsRecord: every event of the store, or those of the
  // dates from..to.
  static RequestStatus getAllStoreEvents(const std::string& storeId);
  static RequestStatus getStoreEvents(const std::string& storeId, const std::string& eventFrom,
                                      const std::string& eventTo);
};

}  // namespace kelda::stores

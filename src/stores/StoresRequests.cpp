#include "stores/StoresRequests.hpp"

#include <utility>

#include "gateway/TarnObjects.hpp"
#include "stores/AnsweredRequest.hpp"

namespace kelda::stores {
namespace {

using gateway::TarnObjects;

void keepStores(json::Value answer) {
  TarnObjects::sharedInstance().setStoreLocationsRecord(std::move(answer));
}
void keepSavingsPass(json::Value answer) {
  TarnObjects::sharedInstance().setInStoreSavingPassResultsDictionary(std::move(answer));
}
void keepEvents(json::Value answer) {
  TarnObjects::sharedInstance().setStoreLocationEventsRecord(std::move(answer));
}

}  // namespace

RequestStatus StoresRequests::locateStoresByZip(const std::string& zip) {
  return answeredRequest("-[StoresRequests locateStoresByZip:]", "locateStoresByZip", {zip},
                         keepStores);
}

RequestStatus StoresRequests::locateStoresByCity(const std::string& city,
                                                 const std::string& state) {
  return answeredRequest("-[StoresRequests locateStoresByCity:state:]", "locateStoresByCity",
                         {city, state}, keepStores);
}

RequestStatus StoresRequests::locateStoresByLocation(const std::string& latitude,
                                                     const std::string& longitude) {
  return answeredRequest("-[StoresRequests locateStoresByLocation:longitude:]",
                         "locateStoresByLocation", {latitude, longitude}, keepStores);
}

RequestStatus StoresRequests::locateStoresByZip1(const std::string& zip) {
  return answeredRequest("-[StoresRequests locateStoresByZip1:]", "locateStoresByZip1", {zip},
                         keepSavingsPass);
}

RequestStatus StoresRequests::locateStoresByCity1(const std::string& city,
                                                  const std::string& state) {
  return answeredRequest("-[StoresRequests locateStoresByCity1:state:]", "locateStoresByCity1",
                         {city, state}, keepSavingsPass);
}

RequestStatus StoresRequests::inStoreSavingPass(const std::string& postalCode) {
  return answeredRequest("-[StoresRequests inStoreSavingPass:]", "inStoreSavingPass", {postalCode},
                         keepSavingsPass);
}

RequestStatus StoresRequests::getAllStoreEvents(const std::string& storeId) {
  return answeredRequest("-[StoresRequests getAllStoreEvents:]", "getAllStoreEvents", {storeId},
                         keepEvents);
}

RequestStatus StoresRequests::getStoreEvents(const std::string& storeId,
                                             const std::string& eventFrom,
                                             const std::string& eventTo) {
  return answeredRequest("-[StoresRequests getStoreEvents:eventFrom:eventTo:]", "getStoreEvents",
                         {storeId, eventFrom, eventTo}, keepEvents);
}

}  // namespace kelda::stores

#include "stores/FindInStoreRequests.hpp"

#include <utility>

#include "gateway/TarnObjects.hpp"
#include "stores/AnsweredRequest.hpp"

namespace kelda::stores {
namespace {

void keep(json::Value answer) {
  gateway::TarnObjects::sharedInstance().setFindInStoreDictionary(std::move(answer));
}

}  // namespace

gateway::RequestStatus FindInStoreRequests::locateFindInStoresByZip(const std::string& zip,
                                                                    const std::string& upcNumber) {
  return answeredRequest("-[FindInStoreRequests locateFindInStoresByZip:upcNumber:]",
                         "locateFindInStoresByZip", {zip, upcNumber}, keep);
}

gateway::RequestStatus FindInStoreRequests::locateFindInStoresByCity(const std::string& city,
                                                                     const std::string& state,
                                                                     const std::string& upcNumber) {
  return answeredRequest("-[FindInStoreRequests locateFindInStoresByCity:state:upcNumber:]",
                         "locateFindInStoresByCity", {city, state, upcNumber}, keep);
}

gateway::RequestStatus FindInStoreRequests::locateFindInStoresByLocation(
    const std::string& latitude, const std::string& longitude, const std::string& upcNumber) {
  return answeredRequest("-[FindInStoreRequests locateFindInStoresByLocation:longitude:upcNumber:]",
                         "locateFindInStoresByLocation", {latitude, longitude, upcNumber}, keep);
}

}  // namespace kelda::stores

#include "catalogue/LandingRequests.hpp"

#include "catalogue/RequestFrame.hpp"
#include "gateway/TarnObjects.hpp"

namespace kelda::catalogue {

using gateway::TarnObjects;

RequestStatus LandingRequests::ctrDetails() {
  return guardedRequest("-[LandingRequests ctrDetails]", [] {
    return storeAnswer("ctrDetails", {}, &TarnObjects::setCtrDictionary);
  });
}

RequestStatus LandingRequests::ctrSubCategory(const std::string& categoryId) {
  return guardedRequest("-[LandingRequests ctrSubCategory:]", [&] {
    return storeAnswer("ctrSubCategory", {categoryId}, &TarnObjects::setCtrSubCategoryDictionary);
  });
}

RequestStatus LandingRequests::ctrResults(const std::string& categoryId) {
  return guardedRequest("-[LandingRequests ctrResults:]", [&] {
    return storeAnswer("ctrResults", {categoryId}, &TarnObjects::setCtrResultsDictionary);
  });
}

RequestStatus LandingRequests::updateCtrResultsPage(const std::string& pageNumber,
                                                    const std::string& categoryId) {
  return guardedRequest("-[LandingRequests updateCtrResultsPage:categoryId:]", [&] {
    return appendPage(ResultList::Landing, "updateCtrResultsPage",
                      {categoryId, pageNumber, brandAndPriceText("", "")});
  });
}

}  // namespace kelda::catalogue

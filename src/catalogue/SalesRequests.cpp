#include "catalogue/SalesRequests.hpp"

#include "catalogue/RequestFrame.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/Wire.hpp"

namespace kelda::catalogue {
namespace {

using gateway::TarnObjects;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

}  // namespace

RequestStatus SalesRequests::recordForSale(const std::string& categoryId) {
  return guardedRequest("-[SalesRequests recordForSale:]", [&] {
    return storeAnswer("recordForSale", {categoryId}, &TarnObjects::setSalesDictionary);
  });
}

RequestStatus SalesRequests::saleSubCategory(const std::string& categoryId) {
  return guardedRequest("-[SalesRequests saleSubCategory:]", [&] {
    return storeAnswer("saleSubCategory", {categoryId},
                       &TarnObjects::setSalesSubcategoryDictionary);
  });
}

RequestStatus SalesRequests::recordForSalesResult(const std::string& categoryId) {
  return guardedRequest("-[SalesRequests recordForSalesResult:]", [&] {
    const RequestStatus status =
        storeAnswer("recordForSalesResult", {categoryId, brandAndPriceText("", "")},
                    &TarnObjects::setSalesResultDictionary);
    if (status == RequestStatus::Answered) state().setResultType(1);
    return status;
  });
}

RequestStatus SalesRequests::updateSalesResultsPage(const std::string& pageNumber,
                                                    const std::string& categoryId) {
  return guardedRequest("-[SalesRequests updateSalesResultsPage:categoryId:]", [&] {
    return appendPage(ResultList::Sales, "updateSalesResultsPage",
                      {categoryId, pageNumber, brandAndPriceText("", "")});
  });
}

}  // namespace kelda::catalogue

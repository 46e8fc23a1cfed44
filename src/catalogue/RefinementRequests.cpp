#include "catalogue/RefinementRequests.hpp"

#include <utility>

#include "catalogue/CatalogueRequests.hpp"
#include "catalogue/LandingRequests.hpp"
#include "catalogue/RefinementRules.hpp"
#include "catalogue/RequestFrame.hpp"
#include "catalogue/ResultAnswer.hpp"
#include "catalogue/SalesRequests.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/Wire.hpp"
#include "json/SBJson.hpp"

namespace kelda::catalogue {
namespace {

gateway::TarnObjects& state() {
  return gateway::TarnObjects::sharedInstance();
}

ResultList listOfPageFlag() {
  return state().pageFlag() == 2 ? ResultList::Search : ResultList::Category;
}

// Endpoint rows of the first narrowed page and of the further narrowed pages of each list.
// The top-rated list's first narrowed page has the category list's wire form.
std::string_view firstPageOperation(ResultList list) {
  switch (list) {
    case ResultList::Search:
      return "refineResultsPage/search";
    case ResultList::Sales:
      return "refineSalesResultsPage";
    case ResultList::Category:
    case ResultList::Landing:
      break;
  }
  return "refineResultsPage";
}

std::string_view nextPageOperation(ResultList list) {
  switch (list) {
    case ResultList::Search:
      return "updateRefineResultsPage/search";
    case ResultList::Sales:
      return "updateSalesRefineResultsPage";
    case ResultList::Landing:
      return "updateCtrRefineResultsPage";
    case ResultList::Category:
      break;
  }
  return "updateRefineResultsPage";
}

// The narrowed category form: the combined choices, widened while nothing is found.
RequestStatus refineCategoryForm(ResultList list, const std::string& categoryId,
                                 json::Value& values) {
  json::Value sent = combineRefinements(values, appliedRefinements(listAnswer(list)));
  for (long long resultType = 1; resultType <= 3; ++resultType) {
    if (resultType == 2 && sent.contains("BRAND")) sent = sent.with("BRAND", "");
    if (resultType == 3) sent = sent.with("PRICE", "");
    json::Value answer =
        gateway::request(firstPageOperation(list), {categoryId, refinementsText(sent)});
    if (answer.isAbsent()) return RequestStatus::Failed;  // a failure is not "nothing found"
    if (productCount(answer) > 0 || resultType == 3) {
      state().setResultType(resultType);
      storeListAnswer(list, std::move(answer));
      values = sent;
      return RequestStatus::Answered;
    }
  }
  return RequestStatus::Failed;
}

// The list's first page as the request that made it asks for it: the category search with the
// brand and price its own pages are asked with, the text search, the sale category's or the
// top-rated subcategory's results.
RequestStatus plainFirstPage(ResultList list, const std::string& id) {
  switch (list) {
    case ResultList::Search:
      return CatalogueRequests::searchResultString(id);
    case ResultList::Sales:
      return SalesRequests::recordForSalesResult(id);
    case ResultList::Landing:
      return LandingRequests::ctrResults(id);
    case ResultList::Category:
      break;
  }
  const json::Value plain = json::JSONValue(state().refinementFilterString().text());
  return CatalogueRequests::resultForCategory(id, plain["BRAND"].str(), plain["PRICE"].str());
}

RequestStatus refineSearch(const std::string& phrase, json::Value& values) {
  json::Value answer =
      gateway::request(firstPageOperation(ResultList::Search), {phrase, refinementsText(values)});
  if (answer.isAbsent()) return RequestStatus::Failed;
  storeListAnswer(ResultList::Search, std::move(answer));
  return RequestStatus::Answered;
}

}  // namespace

RequestStatus RefinementRequests::refine(ResultList list, const std::string& categoryId,
                                         json::Value& values) {
  // Nothing chosen: the list un-narrowed, not narrowed again by what its answer applied.
  if (values.empty()) return plainFirstPage(list, categoryId);
  return guardedRequest("-[RefinementRequests refineResultsPage:refinements:]", [&] {
    return list == ResultList::Search ? refineSearch(categoryId, values)
                                      : refineCategoryForm(list, categoryId, values);
  });
}

RequestStatus RefinementRequests::refinedPage(ResultList list, const std::string& pageNumber,
                                              const std::string& categoryId,
                                              const json::Value& values) {
  return guardedRequest(
      "-[RefinementRequests updateRefineResultsPage:categoryId:refinements:]", [&] {
        const RequestStatus status = appendPage(list, nextPageOperation(list),
                                                {pageNumber, categoryId, refinementsText(values)});
        if (status == RequestStatus::Answered && list != ResultList::Search) {
          state().setResultType(1);
        }
        return status;
      });
}

RequestStatus RefinementRequests::refineResultsPage(const std::string& categoryId,
                                                    json::Value& values) {
  return refine(listOfPageFlag(), categoryId, values);
}

RequestStatus RefinementRequests::updateRefineResultsPage(const std::string& pageNumber,
                                                          const std::string& categoryId,
                                                          const json::Value& values) {
  return refinedPage(listOfPageFlag(), pageNumber, categoryId, values);
}

RequestStatus RefinementRequests::refineSalesResultsPage(const std::string& categoryId,
                                                         json::Value& values) {
  return refine(ResultList::Sales, categoryId, values);
}

RequestStatus RefinementRequests::updateSalesRefineResultsPage(const std::string& pageNumber,
                                                               const std::string& categoryId,
                                                               const json::Value& values) {
  return refinedPage(ResultList::Sales, pageNumber, categoryId, values);
}

RequestStatus RefinementRequests::refineCtrResultsPage(const std::string& categoryId,
                                                       json::Value& values) {
  return refine(ResultList::Landing, categoryId, values);
}

RequestStatus RefinementRequests::updateCtrRefineResultsPage(const std::string& pageNumber,
                                                             const std::string& categoryId,
                                                             const json::Value& values) {
  return refinedPage(ResultList::Landing, pageNumber, categoryId, values);
}

}  // namespace kelda::catalogue

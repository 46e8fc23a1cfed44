#include "catalogue/CatalogueRequests.hpp"

#include <array>
#include <utility>

#include "catalogue/DepartmentCaches.hpp"
#include "catalogue/RequestFrame.hpp"
#include "catalogue/ResultAnswer.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/Wire.hpp"

namespace kelda::catalogue {
namespace {

using gateway::TarnObjects;

constexpr int kPageFlagCategory = 1;
constexpr int kPageFlagSearch = 2;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

std::string withoutAny(const std::string& value) {
  return value == "Any" ? std::string() : value;
}

}  // namespace

RequestStatus CatalogueRequests::recordForItemPicker(const std::string& categoryId) {
  return guardedRequest("-[CatalogueRequests recordForItemPicker:]", [&]() -> RequestStatus {
    const json::Value answer = gateway::request("recordForItemPicker", {categoryId});
    if (!answer.isObject()) return RequestStatus::Failed;
    // The cache is chosen by the department being opened, not by the id asked for.
    const auto* cache =
        departmentCacheForCategoryId(departmentIdForTitle(state().fobTitle().text()));
    if (cache != nullptr) cache->write(answer);
    return RequestStatus::Answered;
  });
}

RequestStatus CatalogueRequests::resultForCategory(const std::string& categoryId,
                                                   const std::string& brand,
                                                   const std::string& price) {
  return guardedRequest("-[CatalogueRequests resultForCategory:::]", [&]() -> RequestStatus {
    const std::string b = withoutAny(brand);
    const std::string p = withoutAny(price);
    // First as chosen, then without the brand, then without brand and price.
    const std::array<std::pair<std::string, std::string>, 3> attempts{{{b, p}, {"", p}, {"", ""}}};
    for (std::size_t i = 0; i < attempts.size(); ++i) {
      const std::string refinements = brandAndPriceText(attempts[i].first, attempts[i].second);
      json::Value answer = gateway::request("resultForCategory", {categoryId, refinements});
      if (answer.isAbsent())
        return RequestStatus::Failed;  // a failure is not "no products": no fallback
      if (productCount(answer) > 0 || i + 1 == attempts.size()) {
        state().setResultType(static_cast<long long>(i + 1));
        state().setRefinementFilterString(refinements);
        state().setCategorySearchList(std::move(answer));
        return RequestStatus::Answered;
      }
    }
    return RequestStatus::Failed;
  });
}

RequestStatus CatalogueRequests::searchResultString(const std::string& phrase) {
  return guardedRequest("-[CatalogueRequests searchResultString:]", [&]() -> RequestStatus {
    json::Value answer = gateway::request("searchResultString", {phrase});
    if (answer.isAbsent()) return RequestStatus::Failed;
    state().setSearchResultsDictionary(std::move(answer));
    state().setPageFlag(kPageFlagSearch);
    return RequestStatus::Answered;
  });
}

RequestStatus CatalogueRequests::updateResultsPage(const std::string& pageNumber,
                                                   const std::string& categoryId) {
  return guardedRequest("-[CatalogueRequests updateResultsPage:categoryId:]",
                        [&]() -> RequestStatus {
                          const long long pageFlag = state().pageFlag();
                          if (pageFlag == kPageFlagCategory) {
                            // The refinements the category search actually sent, fallback included.
                            const std::string refinements = state().refinementFilterString().str();
                            return appendPage(ResultList::Category, "updateResultsPage",
                                              {categoryId, pageNumber, refinements});
                          }
                          if (pageFlag == kPageFlagSearch) {
                            return appendPage(ResultList::Search, "updateResultsPage/search",
                                              {categoryId, pageNumber});
                          }
                          return RequestStatus::Failed;
                        });
}

}  // namespace kelda::catalogue

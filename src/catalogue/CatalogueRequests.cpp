// The catalogue's endpoint operations of TarnServerAPIs: department browse data, the category
// search with its brand and price fallback, the text search and the next result page.
#include <array>
#include <string>
#include <utility>

#include "catalogue/DepartmentCaches.hpp"
#include "catalogue/ResultAnswer.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/Wire.hpp"
#include "json/SBJson.hpp"

namespace kelda::gateway {
namespace {

constexpr int kPageFlagCategory = 1;
constexpr int kPageFlagSearch = 2;

// {"BRAND": brand, "PRICE": price} as compact JSON text. The text is a form value like any
// other: the body encodes its "%", "&" and "+" once.
std::string refinementsText(const std::string& brand, const std::string& price) {
  json::Value refinements = json::Value::object({{"BRAND", brand}, {"PRICE", price}});
  return json::JSONFragment(refinements).value_or("");
}

std::string withoutAny(const std::string& value) {
  return value == "Any" ? std::string() : value;
}

}  // namespace

void TarnServerAPIs::recordForItemPicker(const std::string& categoryId) {
  guarded("-[TarnServerAPIs recordForItemPicker:]", [&] {
    if (!internetConnectionAvailable()) return;
    json::Value answer = request("recordForItemPicker", {categoryId});
    // The cache is chosen by the department being opened, not by the id asked for.
    auto& state = TarnObjects::sharedInstance();
    const auto* cache = catalogue::departmentCacheForCategoryId(
        catalogue::departmentIdForTitle(state.fobTitle().text()));
    if (cache != nullptr && answer.isObject()) cache->write(answer);
  });
}

void TarnServerAPIs::resultForCategory(const std::string& categoryId, const std::string& brand,
                                       const std::string& price) {
  guarded("-[TarnServerAPIs resultForCategory:::]", [&] {
    auto& state = TarnObjects::sharedInstance();
    state.setResultType(1);
    if (!internetConnectionAvailable()) return;
    const std::string b = withoutAny(brand);
    const std::string p = withoutAny(price);
    // First as chosen, then without the brand, then without brand and price.
    const std::array<std::pair<std::string, std::string>, 3> attempts{{{b, p}, {"", p}, {"", ""}}};
    json::Value answer;
    for (std::size_t i = 0; i < attempts.size(); ++i) {
      state.setResultType(static_cast<long long>(i + 1));
      std::string refinements = refinementsText(attempts[i].first, attempts[i].second);
      state.setRefinementFilterString(refinements);
      answer = request("resultForCategory", {categoryId, refinements});
      if (catalogue::productCount(answer) > 0) break;
    }
    state.setCategorySearchList(answer);
  });
}

void TarnServerAPIs::searchResultString(const std::string& phrase) {
  guarded("-[TarnServerAPIs searchResultString:]", [&] {
    if (!internetConnectionAvailable()) return;
    json::Value answer = request("searchResultString", {phrase});
    auto& state = TarnObjects::sharedInstance();
    state.setSearchResultsDictionary(answer);
    state.setPageFlag(kPageFlagSearch);
  });
}

void TarnServerAPIs::updateResultsPage(const std::string& pageNumber,
                                       const std::string& categoryId) {
  guarded("-[TarnServerAPIs updateResultsPage:categoryId:]", [&] {
    if (!internetConnectionAvailable()) return;
    auto& state = TarnObjects::sharedInstance();
    const long long pageFlag = state.pageFlag();
    if (pageFlag == kPageFlagCategory) {
      // The refinements the category search actually sent, fallback included.
      const std::string refinements = state.refinementFilterString().str();
      json::Value page = request("updateResultsPage", {categoryId, pageNumber, refinements});
      state.setCategorySearchList(catalogue::mergeResultsPage(state.categorySearchList(), page));
    } else if (pageFlag == kPageFlagSearch) {
      json::Value page = request("updateResultsPage/search", {categoryId, pageNumber});
      state.setSearchResultsDictionary(
          catalogue::mergeResultsPage(state.searchResultsDictionary(), page));
    }
  });
}

}  // namespace kelda::gateway

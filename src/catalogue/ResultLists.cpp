#include "catalogue/ResultLists.hpp"

#include <utility>

#include "gateway/TarnObjects.hpp"

namespace kelda::catalogue {
namespace {

gateway::TarnObjects& state() {
  return gateway::TarnObjects::sharedInstance();
}

}  // namespace

json::Value listAnswer(ResultList list) {
  switch (list) {
    case ResultList::Category:
      return state().categorySearchList();
    case ResultList::Search:
      return state().searchResultsDictionary();
    case ResultList::Sales:
      return state().salesResultDictionary();
    case ResultList::Landing:
      return state().ctrResultsDictionary();
  }
  return {};
}

void storeListAnswer(ResultList list, json::Value answer) {
  switch (list) {
    case ResultList::Category:
      state().setCategorySearchList(std::move(answer));
      break;
    case ResultList::Search:
      state().setSearchResultsDictionary(std::move(answer));
      break;
    case ResultList::Sales:
      state().setSalesResultDictionary(std::move(answer));
      break;
    case ResultList::Landing:
      state().setCtrResultsDictionary(std::move(answer));
      break;
  }
}

ProductContext productContextFor(ResultList list) {
  switch (list) {
    case ResultList::Category:
      return {"BROWSE_WHEEL", state().browsecategoryFlag().str()};
    case ResultList::Search:
      return {"SEARCH", ""};
    case ResultList::Sales:
      return {"SALE", state().salesCategoryFlag().str()};
    case ResultList::Landing:
      return {"TOPRATED", ""};
  }
  return {};
}

void applyProductContext(const ProductContext& context) {
  state().setCategoryFlag(context.categoryFlag);
  state().setCoreMetricsCategoryId(context.coreMetricsCategoryId);
}

}  // namespace kelda::catalogue

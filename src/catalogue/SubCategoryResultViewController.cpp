#include "catalogue/SubCategoryResultViewController.hpp"

#include "catalogue/NothingFoundAlert.hpp"
#include "catalogue/ResultAnswer.hpp"
#include "catalogue/ScreenParts.hpp"
#include "gateway/TarnObjects.hpp"

namespace kelda::catalogue {

using gateway::RequestStatus;

void SubCategoryResultViewController::rebuildHeader() {
  showFallbackHeader(title());
}

void showSalesResults(ui::ViewController& from,
                      std::shared_ptr<SubCategoryResultViewController>& list, RequestStatus status,
                      const json::Value& category) {
  if (status == RequestStatus::NotSent) return;
  auto& state = gateway::TarnObjects::sharedInstance();
  if (status == RequestStatus::Failed || productCount(state.salesResultDictionary()) == 0) {
    showNothingFoundAlert();
    return;
  }
  const std::string id = category["col1id"].describe();
  state.setCategoryID(id);
  state.setRefineSearchFlagWithPageNumber("0");
  if (!list) list = std::make_shared<SubCategoryResultViewController>();
  list->categoryId = id;
  list->refineSearchFlagWithPageNumber = 0;
  list->setTitle(category["col1name"].str());
  pushScreen(from, list);
}

}  // namespace kelda::catalogue

#include "catalogue/CtrDetailViewController.hpp"

#include <utility>

#include "catalogue/CtrResultsViewController.hpp"
#include "catalogue/LandingRequests.hpp"
#include "catalogue/NothingFoundAlert.hpp"
#include "catalogue/ResultAnswer.hpp"
#include "catalogue/ScreenParts.hpp"
#include "gateway/TarnObjects.hpp"
#include "platform/TaskAndReply.hpp"

namespace kelda::catalogue {

CtrDetailViewController::CtrDetailViewController(std::string navigationTitle,
                                                 json::Value subcategories)
    : CategoryListViewController("categoryName", true, "previous"),
      subcategories_(std::move(subcategories)) {
  setTitle(std::move(navigationTitle));
}

void CtrDetailViewController::categoryTapped(const json::Value& category) {
  overlay_.show();
  platform::postTaskAndReply(
      platform::weakFrom(this),
      [id = category["categoryId"].describe()] { return LandingRequests::ctrResults(id); },
      [category](CtrDetailViewController& screen, RequestStatus status) {
        screen.stopAnimator(status, category);
      });
}

void CtrDetailViewController::stopAnimator(RequestStatus status, const json::Value& category) {
  overlay_.hide();
  if (status == RequestStatus::NotSent) return;
  auto& state = gateway::TarnObjects::sharedInstance();
  if (status == RequestStatus::Failed || productCount(state.ctrResultsDictionary()) == 0) {
    showNothingFoundAlert();
    return;
  }
  state.setRefineSearchFlagWithPageNumber("0");
  if (!results_) results_ = std::make_shared<CtrResultsViewController>();
  results_->categoryId = category["categoryId"].describe();
  results_->refineSearchFlagWithPageNumber = 0;
  results_->setTitle(category["categoryName"].str());
  pushScreen(*this, results_);
}

}  // namespace kelda::catalogue

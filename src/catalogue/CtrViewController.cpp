#include "catalogue/CtrViewController.hpp"

#include "catalogue/CtrDetailViewController.hpp"
#include "catalogue/LandingRequests.hpp"
#include "catalogue/NothingFoundAlert.hpp"
#include "catalogue/ScreenParts.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/TaskAndReply.hpp"

namespace kelda::catalogue {

CtrViewController::CtrViewController()
    : CategoryListViewController("categoryName", true, "previous") {
  setTitle("Customer's Top Rated");
}

json::Value CtrViewController::categories() const {
  return gateway::TarnObjects::sharedInstance().ctrDictionary()["data"];
}

std::string CtrViewController::reuseIdentifier(ui::IndexPath indexPath) const {
  return "SectionIdentity" + std::to_string(indexPath.section) + std::to_string(indexPath.row);
}

void CtrViewController::viewWillAppear(bool animated) {
  CategoryListViewController::viewWillAppear(animated);
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
  overlay_.hide();
}

void CtrViewController::categoryTapped(const json::Value& category) {
  overlay_.show();
  platform::postTaskAndReply(
      platform::weakFrom(this),
      [id = category["categoryId"].describe()] { return LandingRequests::ctrSubCategory(id); },
      [category](CtrViewController& screen, RequestStatus status) {
        screen.overlay_.hide();
        if (status == RequestStatus::NotSent) return;
        // A department whose subcategories did not arrive does not open (the rows shown would
        // be an earlier department's).
        if (status == RequestStatus::Failed) {
          showNothingFoundAlert();
          return;
        }
        auto detail = std::make_shared<CtrDetailViewController>(
            category["categoryName"].str(),
            gateway::TarnObjects::sharedInstance().ctrSubCategoryDictionary()["data"]);
        pushScreen(screen, detail);
      });
}

}  // namespace kelda::catalogue

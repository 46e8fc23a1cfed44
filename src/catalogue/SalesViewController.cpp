#include "catalogue/SalesViewController.hpp"

#include "catalogue/NothingFoundAlert.hpp"
#include "catalogue/SalesDetailViewController.hpp"
#include "catalogue/SalesRequests.hpp"
#include "catalogue/ScreenParts.hpp"
#include "catalogue/SubCategoryResultViewController.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/TaskAndReply.hpp"

namespace kelda::catalogue {
namespace {

gateway::TarnObjects& state() {
  return gateway::TarnObjects::sharedInstance();
}

// What became of a tapped sale category: its subcategories, and its results when it has none.
struct SaleCategoryOutcome {
  RequestStatus subcategoriesStatus = RequestStatus::NotSent;
  json::Value subcategories;
  RequestStatus resultsStatus = RequestStatus::NotSent;
};

SaleCategoryOutcome askForSaleCategory(const std::string& id) {
  SaleCategoryOutcome outcome;
  outcome.subcategoriesStatus = SalesRequests::saleSubCategory(id);
  if (outcome.subcategoriesStatus != RequestStatus::Answered) return outcome;
  outcome.subcategories = state().salesSubcategoryDictionary()["category"];
  if (outcome.subcategories.empty())
    outcome.resultsStatus = SalesRequests::recordForSalesResult(id);
  return outcome;
}

}  // namespace

SalesViewController::SalesViewController() : CategoryListViewController("col1name", false) {
  setTitle("Sale");
}

json::Value SalesViewController::categories() const {
  return state().salesDictionary()["category"];
}

void SalesViewController::viewWillAppear(bool animated) {
  CategoryListViewController::viewWillAppear(animated);
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
}

void SalesViewController::categoryTapped(const json::Value& category) {
  overlay_.show();
  const std::string id = category["col1id"].describe();
  platform::postTaskAndReply(
      platform::weakFrom(this), [id] { return askForSaleCategory(id); },
      [category, id](SalesViewController& screen, SaleCategoryOutcome outcome) {
        screen.overlay_.hide();
        if (outcome.subcategoriesStatus == RequestStatus::NotSent) return;
        if (outcome.subcategoriesStatus == RequestStatus::Failed) {
          showNothingFoundAlert();
          return;
        }
        // Products opened below this category are reported with its id.
        state().setSalesCategoryFlag(id);
        if (!outcome.subcategories.empty()) {
          auto detail = std::make_shared<SalesDetailViewController>(category["col1name"].str(),
                                                                    outcome.subcategories);
          pushScreen(screen, detail);
          return;
        }
        showSalesResults(screen, screen.results_, outcome.resultsStatus, category);
      });
}

}  // namespace kelda::catalogue

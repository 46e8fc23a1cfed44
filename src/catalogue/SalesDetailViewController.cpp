#include "catalogue/SalesDetailViewController.hpp"

#include <utility>

#include "catalogue/SalesRequests.hpp"
#include "catalogue/SubCategoryResultViewController.hpp"
#include "platform/TaskAndReply.hpp"

namespace kelda::catalogue {

SalesDetailViewController::SalesDetailViewController(std::string title, json::Value subcategories)
    : CategoryListViewController("col1name", false), subcategories_(std::move(subcategories)) {
  setTitle(std::move(title));
}

void SalesDetailViewController::categoryTapped(const json::Value& category) {
  overlay_.show();
  platform::postTaskAndReply(
      platform::weakFrom(this),
      [id = category["col1id"].describe()] { return SalesRequests::recordForSalesResult(id); },
      [category](SalesDetailViewController& screen, RequestStatus status) {
        screen.overlay_.hide();
        showSalesResults(screen, screen.results_, status, category);
      });
}

}  // namespace kelda::catalogue

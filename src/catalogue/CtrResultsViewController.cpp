#include "catalogue/CtrResultsViewController.hpp"

#include "ui/BarButtonItem.hpp"
#include "ui/Label.hpp"
#include "ui/RatingView.hpp"

namespace kelda::catalogue {

std::shared_ptr<ui::View> CtrResultsViewController::loadView() {
  auto root = ResultViewController::loadView();
  auto filter = std::make_shared<ui::BarButtonItem>("filter", [this] { refineYourResult(); });
  navigationItem().rightBarButtonItem = filter;
  return root;
}

void CtrResultsViewController::rebuildHeader() {
  auto header = std::make_shared<ui::View>();
  header->identifier = "toprated";
  header->add<ui::RatingView>(5.0);
  header->add<ui::Label>(kHeaderText);
  table().tableHeaderView = header;
}

}  // namespace kelda::catalogue

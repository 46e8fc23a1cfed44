#include "product/PDPReviewsViewController.hpp"

#include "gateway/TarnObjects.hpp"
#include "product/CustomProductReviewCell.hpp"
#include "product/TextCut.hpp"
#include "ui/Button.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::product {
namespace {

constexpr std::size_t kTitleLimit = 18;

}  // namespace

void PDPReviewsViewController::viewWillAppear(bool) {
  auto& state = gateway::TarnObjects::sharedInstance();
  setTitle(cutText(state.productDescriptionList()["data"][0]["prodName"].str(), kTitleLimit));
  navigationItem().backBarButtonItem = std::make_shared<ui::BarButtonItem>("Previous");
  state.setPdpTabFlag("3");
  reloadRows();
}

std::vector<TableSection> PDPReviewsViewController::buildSections() {
  const json::Value review = gateway::TarnObjects::sharedInstance().pdpReviewsDictionary();
  auto cell =
      std::make_shared<CustomProductReviewCell>(review, CustomProductReviewCell::Form::Whole);
  auto back = std::make_shared<ui::Button>(kBackButton, [this](ui::Button&) {
    if (backToReviews_) backToReviews_();
    if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
  });
  return {{"", {{cell, {}}}, back}};
}

}  // namespace kelda::product

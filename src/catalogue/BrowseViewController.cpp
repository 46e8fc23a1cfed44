#include "catalogue/BrowseViewController.hpp"

#include <array>

#include "catalogue/CatalogueRequests.hpp"
#include "catalogue/ResultAnswer.hpp"
#include "catalogue/ResultViewController.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/TaskAndReply.hpp"
#include "ui/AlertView.hpp"
#include "ui/BarButtonItem.hpp"
#include "ui/Button.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::catalogue {
namespace {

using gateway::TarnObjects;
using gateway::TarnServerAPIs;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

// Key of each wheel's array in the browse answer and of the label its rows show.
constexpr std::array<const char*, 3> kWheelArrays{"category", "brand", "price"};
constexpr std::array<const char*, 3> kWheelLabels{"col1name", "col2name", "col3name"};

json::Value wheelElement(int component, int row) {
  if (component < 0 || component >= 3 || row < 0) return {};
  const auto c = static_cast<std::size_t>(component);
  return state().subCategoryDictionary()[kWheelArrays[c]][static_cast<std::size_t>(row)];
}

}  // namespace

ui::PickerView& BrowseViewController::picker() {
  view();
  return *picker_;
}

std::shared_ptr<ui::View> BrowseViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  picker_ = root->add<ui::PickerView>();
  picker_->dataSource = this;
  auto goButton = root->add<ui::Button>("Go", [this](ui::Button&) { go(); });
  goButton->identifier = "go";
  navigationItem().leftBarButtonItem = std::make_shared<ui::BarButtonItem>("Back", [this] {
    if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
  });
  return root;
}

void BrowseViewController::viewWillAppear(bool) {
  setTitle(state().fobTitle().str());
  picker_->reloadAllComponents();
  picker_->selectRow(col1, 0);
  picker_->selectRow(col2, 1);
  picker_->selectRow(col3, 2);
  TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
}

int BrowseViewController::numberOfRowsInComponent(ui::PickerView&, int component) {
  if (component < 0 || component >= 3) return 0;
  json::Value rows =
      state().subCategoryDictionary()[kWheelArrays[static_cast<std::size_t>(component)]];
  return rows.isArray() ? static_cast<int>(rows.size()) : 0;
}

std::string BrowseViewController::titleForRow(ui::PickerView&, int row, int component) {
  if (component < 0 || component >= 3) return {};
  return wheelElement(component, row)[kWheelLabels[static_cast<std::size_t>(component)]].str();
}

BrowseViewController::Choice BrowseViewController::selectedChoice() const {
  return Choice{wheelElement(0, picker_->selectedRowInComponent(0)),
                wheelElement(1, picker_->selectedRowInComponent(1)),
                wheelElement(2, picker_->selectedRowInComponent(2))};
}

void BrowseViewController::go() {
  gateway::guarded("-[BrowseViewController go]", [&] {
    const Choice choice = selectedChoice();
    const std::string category = choice.category["col1name"].str();
    const std::string brand = choice.brand["col2name"].str();
    const std::string price = choice.price["col3name"].str();
    if (category.empty() || brand.empty() || price.empty()) {
      const std::string message = std::string(category.empty() ? "Category is not selected" : "") +
                                  " " + (brand.empty() ? "Brand is not selected" : "") + " " +
                                  (price.empty() ? "Price is not selected" : "");
      ui::showAlert(ui::AlertView{"", message, {"Cancel", "Ok"}, 0, nullptr});
      return;
    }
    col1 = picker_->selectedRowInComponent(0);
    col2 = picker_->selectedRowInComponent(1);
    col3 = picker_->selectedRowInComponent(2);
    overlay_.show();
    const std::string categoryId = choice.category["col1id"].str();
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [categoryId, brand, price] {
          return CatalogueRequests::resultForCategory(categoryId, brand, price);
        },
        [categoryId, category, brand, price](BrowseViewController& screen, RequestStatus status) {
          if (status == RequestStatus::Answered) {
            state().setBrowsecategoryFlag(categoryId);
            state().setCategory1(category);
            state().setBrand1(brand);
            state().setPrice1(price);
          }
          screen.searchArrived(status, categoryId, category);
        });
  });
}

void BrowseViewController::searchArrived(RequestStatus status, const std::string& categoryId,
                                         const std::string& categoryName) {
  overlay_.hide();
  // Without a connection the alert has been shown and the screen stays as it was.
  if (status == RequestStatus::NotSent) return;
  if (status == RequestStatus::Failed || productCount(state().categorySearchList()) == 0) {
    ui::showAlert(
        ui::AlertView{"Sorry !",
                      "We couldn't find any items that match your selection. Please try again.",
                      {"OK"},
                      0,
                      nullptr});
    return;
  }
  state().setCategoryID(categoryId);
  if (!results_) results_ = std::make_shared<ResultViewController>();
  results_->refineSearchFlagWithPageNumber = 0;
  state().setRefineSearchFlagWithPageNumber("0");
  // Load-more asks for the next page of this category.
  results_->categoryId = categoryId;
  results_->setTitle(categoryName);
  state().setSearchPageFlag(1);
  if (auto* navigation = navigationController()) navigation->pushViewController(results_, true);
}

}  // namespace kelda::catalogue

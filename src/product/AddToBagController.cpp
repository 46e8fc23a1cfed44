#include "product/AddToBagController.hpp"

#include <string>
#include <vector>

#include "bag/CoreDataHandler.hpp"
#include "bag/Money.hpp"
#include "bag/PresentFieldsObject.hpp"
#include "bag/ViewBagData.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "product/PDPMainCommonCell.hpp"
#include "product/PictureLoad.hpp"
#include "ui/Button.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TabBarController.hpp"

namespace kelda::product {
namespace {

using gateway::GlobalFlags;

// The record this screen keeps for one bag line (the keys' spelling is the bag's own).
json::Value bagRecord(const bag::AddToBagItemAttribute& line) {
  bag::PresentFieldsObject record;
  record.add("Title", line.setProductName)
      .add("Quantity", line.setQuantity)
      .add("Price", line.setPrice)
      .add("Color", line.setColor)
      .add("Size", line.setSize)
      .add("PDPProductId", line.setPDPProductId)
      .add("UpcNumber", line.setUpcNumber)
      .add("CategroyId", line.setCategoryId)
      .add("CategroyFlag", line.setCategoryFlag);
  return record.build();
}

long long integerOf(const std::optional<std::string>& text) {
  return text ? bag::integerValue(*text) : 0;
}

std::shared_ptr<ui::TableViewCell> valueRow(const std::string& label, const std::string& value) {
  auto cell = std::make_shared<ui::TableViewCell>(ui::CellStyle::Value1);
  cell->textLabel().text = label;
  cell->detailTextLabel().text = value;
  cell->selectionStyle = ui::CellSelectionStyle::None;
  return cell;
}

}  // namespace

AddToBagController::AddToBagController() {
  setTitle("Add To Bag");
  navigationItem().backBarButtonItem = std::make_shared<ui::BarButtonItem>("Previous");
}

void AddToBagController::viewWillAppear(bool) {
  gateway::guarded("-[AddToBagController viewWillAppear:]", [&] {
    gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
    auto* navigation = navigationController();
    if (GlobalFlags::shared().isSwitchedFromMyBag.exchange(false)) {
      if (navigation) navigation->popViewControllerAnimated(false);
      return;
    }
    readBag();
  });
}

void AddToBagController::readBag() {
  auto& store = bag::CoreDataHandler::sharedCoreDataHandler();
  const long long total = store.totalQuantityInBag(*bagLock_);
  if (total <= 0) {
    if (auto* navigation = navigationController())
      navigation->popToRootViewControllerAnimated(true);
    return;
  }
  const std::vector<bag::AddToBagItemAttribute> lines = store.fetchBagItemsArray();
  std::vector<json::Value> records;
  long long cents = 0;
  for (const auto& line : lines) {
    records.push_back(bagRecord(line));
    const long long price = line.setPrice ? bag::centsFromText(*line.setPrice) : 0;
    cents = bag::addCents(cents, bag::multiplyCents(price, integerOf(line.setQuantity)));
  }
  bag::ViewBagData::sharedViewBagDataObject().setRecordArray(
      json::Value::array(std::move(records)));
  lines_ = static_cast<long long>(lines.size());
  subTotalCents_ = cents;
  if (auto* tabs = tabBarController()) tabs->setBadgeValue(kBagTab, std::to_string(total));
  reloadRows();
}

TableSection AddToBagController::articleSection(const json::Value& product) const {
  auto& flags = GlobalFlags::shared();
  const long long price = flags.currentItemPriceCents;
  const int quantity = flags.quantitySelected;
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->selectionStyle = ui::CellSelectionStyle::None;
  auto picture = cell->add<ui::ImageView>(PDPMainCommonCell::kPlaceholder);
  loadPicture(picture, product["imageSourceDetail"].str(), PDPMainCommonCell::kPlaceholder);
  cell->add<ui::Label>(product["prodName"].str(), ui::TextStyle::Bold);
  cell->add<ui::Label>(product["prodDesc"].str());
  cell->add<ui::Label>("Price:", ui::TextStyle::Small);
  cell->add<ui::Label>("$" + bag::formatCents(price));
  cell->add<ui::Label>("Qty:", ui::TextStyle::Small);
  cell->add<ui::Label>(std::to_string(quantity));
  return {"",
          {{cell, {}},
           {valueRow("total:", "$ " + bag::formatCents(bag::multiplyCents(price, quantity))), {}}},
          nullptr};
}

TableSection AddToBagController::bagSection() {
  auto footer = std::make_shared<ui::View>();
  footer->add<ui::Button>("CONTINUE SHOPPING", [this](ui::Button&) { continueShopping(); });
  footer->add<ui::Button>("CHECKOUT", [this](ui::Button&) { checkout(); });
  return {"my bag",
          {{valueRow("items:", std::to_string(lines_)), {}},
           {valueRow("sub total:", "$ " + bag::formatCents(subTotalCents_)), {}}},
          footer};
}

std::vector<TableSection> AddToBagController::buildSections() {
  const json::Value product =
      gateway::TarnObjects::sharedInstance().productDescriptionList()["data"][0];
  return {articleSection(product), bagSection()};
}

void AddToBagController::continueShopping() {
  // Going back may release this screen's owner; keep it alive until the action ends.
  auto self = shared_from_this();
  if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
}

void AddToBagController::checkout() {
  auto self = shared_from_this();
  ui::TabBarController* tabs = tabBarController();
  ui::NavigationController* navigation = navigationController();
  if (tabs != nullptr && !GlobalFlags::shared().didClickCheckoutFromMyBag) {
    const auto& stacks = tabs->viewControllers();
    if (stacks.size() > static_cast<std::size_t>(kBagTab)) {
      auto bagStack = std::dynamic_pointer_cast<ui::NavigationController>(stacks[kBagTab]);
      if (bagStack) bagStack->popToRootViewControllerAnimated(false);
    }
  }
  if (navigation != nullptr) navigation->popToRootViewControllerAnimated(false);
  if (tabs != nullptr) tabs->setSelectedIndex(kBagTab);
}

}  // namespace kelda::product

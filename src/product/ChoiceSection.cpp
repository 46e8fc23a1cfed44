#include "product/ChoiceSection.hpp"

#include <memory>

#include "platform/UrlOpener.hpp"
#include "product/CallLink.hpp"
#include "ui/Button.hpp"
#include "ui/Label.hpp"

namespace kelda::product {
namespace {

// A selection row: the chosen value (or its placeholder); a single offered value is settled
// and opens nothing.
TableRow selectionRow(PDPViewsDelegate& container, int page, ChoiceMode mode) {
  auto cell = std::make_shared<ui::TableViewCell>(ui::CellStyle::Value1);
  cell->textLabel().text = rowLabelFor(mode);
  cell->detailTextLabel().text = container.choice().of(mode);
  const bool settled = mode != ChoiceMode::Quantity && container.offered().of(mode).size() == 1;
  if (settled) return {cell, {}};
  cell->accessoryType = ui::CellAccessory::DisclosureIndicator;
  return {cell,
          [&container, page, mode] { container.pushingSizeColorQuantityController(mode, page); }};
}

TableRow buttonsRow(PDPViewsDelegate& container, int page) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->selectionStyle = ui::CellSelectionStyle::None;
  cell->add<ui::Button>("ADD TO BAG",
                        [&container, page](ui::Button&) { container.pushingAddToBag(page); });
  cell->add<ui::Button>("FIND IT IN STORE",
                        [&container, page](ui::Button&) { container.pushingFindItInStore(page); });
  return {cell, {}};
}

TableRow callRow(const json::Value& answer, const std::string& callTitle) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->selectionStyle = ui::CellSelectionStyle::None;
  cell->add<ui::Label>(answer["click_to_call_text"].str());
  cell->add<ui::Label>("for more information,");
  const std::string number = answer["click_to_call_number"].str();
  cell->add<ui::Button>(
      callTitle, [number](ui::Button&) { platform::UrlOpener::shared().openURL(telURL(number)); });
  return {cell, {}};
}

std::shared_ptr<ui::TableViewCell> textRow(const std::string& text) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->textLabel().text = text;
  cell->textLabel().numberOfLines = 0;
  cell->selectionStyle = ui::CellSelectionStyle::None;
  return cell;
}

}  // namespace

TableSection choiceSection(PDPViewsDelegate& container, int page, const json::Value& answer,
                           const std::string& callTitle) {
  TableSection section;
  for (ChoiceMode mode :
       {ChoiceMode::Size, ChoiceMode::Color, ChoiceMode::Type, ChoiceMode::Quantity}) {
    if (container.offered().shows(mode))
      section.rows.push_back(selectionRow(container, page, mode));
  }
  section.rows.push_back(buttonsRow(container, page));
  if (answer["CLICK_TO_CALL"].str() == "Y") section.rows.push_back(callRow(answer, callTitle));
  return section;
}

std::optional<TableSection> shippingSection(PDPViewsDelegate& container, int page,
                                            const json::Value& product) {
  TableSection section;
  for (json::Value entry : product["shippingReturnText"].items()) {
    if (entry.isString()) section.rows.push_back({textRow(entry.str()), {}});
  }
  if (section.rows.empty()) return std::nullopt;
  auto link = textRow("for complete details, read our");
  link->add<ui::Button>("Pricing policy.",
                        [&container, page](ui::Button&) { container.pushingPolicyView(page); });
  section.rows.push_back({link, {}});
  return section;
}

}  // namespace kelda::product

#include "stores/InStoreSavingPassViewController.hpp"

#include <fmt/format.h>

#include <utility>

#include "platform/RunLoop.hpp"
#include "stores/StoreNavigation.hpp"
#include "support/ImageLoader.hpp"
#include "support/PDFViewController.hpp"
#include "ui/Button.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::stores {

InStoreSavingPassViewController::InStoreSavingPassViewController(json::Value pass)
    : pass_(std::move(pass)) {
  setTitle("Stores");
  navigationItem().rightBarButtonItem = storeSearchBarButton(*this);
}

ui::TableView& InStoreSavingPassViewController::tableView() {
  view();
  return *table_;
}

ui::ImageView& InStoreSavingPassViewController::passImage() {
  view();
  return *picture_;
}

std::shared_ptr<ui::View> InStoreSavingPassViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  auto footer = std::make_shared<ui::View>();
  picture_ = footer->add<ui::ImageView>();
  picture_->identifier = "pass";
  footer->add<ui::Button>("VIEW PASS DETAILS", [this](ui::Button&) { viewPassDetails(); });
  table_->tableFooterView = footer;
  return root;
}

void InStoreSavingPassViewController::viewWillAppear(bool) {
  savingsPassTitle_ = pass_["savingsPassTitle"].str();
  validityPeriod_ = pass_["validityPeriod"].str();
  loadPicture();
}

void InStoreSavingPassViewController::loadPicture() {
  if (pictureAsked_) return;
  pictureAsked_ = true;
  const std::string url = pass_["imageURL"].str();
  if (url.empty()) return;
  std::weak_ptr<ViewController> weakSelf = weak_from_this();
  // The loader calls back on a loading thread; the picture is set on the main thread.
  support::ImageLoader::create()->loadImageFromURL(
      url, weakSelf, [weakSelf](const support::Image& image) {
        if (!image.name().empty()) return;  // nothing usable came: the place stays empty
        platform::RunLoop::main().post([weakSelf, data = image.data()] {
          auto self = std::static_pointer_cast<InStoreSavingPassViewController>(weakSelf.lock());
          if (self) self->picture_->setImageData(data);
        });
      });
}

std::shared_ptr<ui::TableViewCell> InStoreSavingPassViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  if (indexPath.row == 0) {
    auto caption = std::make_shared<ui::TableViewCell>();
    caption->textLabel().text = "instore savings pass";
    return caption;
  }
  auto validity = std::make_shared<ui::TableViewCell>(ui::CellStyle::Subtitle);
  validity->textLabel().text = "Period of Validity:";
  validity->detailTextLabel().text =
      fmt::format("{} - {}", pass_["validityFrom"].text(), pass_["validityTo"].text());
  return validity;
}

void InStoreSavingPassViewController::viewPassDetails() {
  // The pass details are a document on the middleware, shown by the information pages'
  // document screen.
  auto document = std::make_shared<support::PDFViewController>();
  document->pdfUrlString = pass_["pdfURL"].str();
  if (auto* navigation = navigationController()) navigation->pushViewController(document, true);
}

}  // namespace kelda::stores

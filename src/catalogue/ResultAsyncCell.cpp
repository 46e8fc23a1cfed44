#include "catalogue/ResultAsyncCell.hpp"

#include <utility>

#include "platform/RunLoop.hpp"
#include "support/ImageLoader.hpp"

namespace kelda::catalogue {
namespace {

double ratingOf(const Stars& stars) {
  double rating = 0;
  for (Star star : stars) rating += star == Star::Full ? 1 : star == Star::Half ? 0.5 : 0;
  return rating;
}

}  // namespace

ResultAsyncCell::ResultAsyncCell(int section)
    : ui::TableViewCell(ui::CellStyle::Default, "MyIdentifier " + std::to_string(section)) {
  build();
}

void ResultAsyncCell::build() {
  image_ = add<ui::ImageView>();
  image_->identifier = "image";
  spinner_ = add<ui::ActivityIndicatorView>(ui::ActivityIndicatorStyle::Gray);
  imageButton_ = add<ui::Button>("", [this](ui::Button&) {
    if (onImageTap) onImageTap();
  });
  imageButton_->buttonType = ui::ButtonType::Custom;
  imageButton_->identifier = "thumb";
  description_ = add<ui::Label>();
  description_->numberOfLines = 0;
  originalLabel_ = add<ui::Label>("", ui::TextStyle::Small);
  originalPrice_ = add<ui::Label>();
  currentLabel_ = add<ui::Label>("", ui::TextStyle::Small);
  currentPrice_ = add<ui::Label>("", ui::TextStyle::Bold);
  stars_ = add<ui::RatingView>();
  moreColors_ = add<ui::Label>("", ui::TextStyle::Small);
  findInStore_ = add<ui::Label>("", ui::TextStyle::Small);
}

void ResultAsyncCell::showPriceLine(const PriceLine& line, ui::Label& label, ui::Label& price) {
  label.text = line.label;
  label.hidden = !line.shown || !line.labelShown;
  label.textColor = line.red ? ui::Color::rgb(1, 0, 0) : ui::Color::black();
  price.text = line.price;
  price.hidden = !line.shown;
}

void ResultAsyncCell::fill(const json::Value& product) {
  row_ = ResultRow::forProduct(product);
  description_->text = row_.description;
  showPriceLine(row_.original, *originalLabel_, *originalPrice_);
  showPriceLine(row_.current, *currentLabel_, *currentPrice_);
  // A rating off the half-star steps leaves the stars as they were.
  if (row_.stars) stars_->rating = ratingOf(*row_.stars);
  moreColors_->text = row_.moreColors;
  findInStore_->text = row_.findInStore;
  startImageLoad();
}

void ResultAsyncCell::imageLoaded(const support::Image& image) {
  spinner_->stopAnimating();
  spinner_->hidden = true;
  if (!image.name().empty()) {
    image_->imageData = nullptr;
    image_->imageName = image.name();
  } else {
    image_->setImageData(image.data());
  }
}

void ResultAsyncCell::startImageLoad() {
  spinner_->hidden = false;
  spinner_->startAnimating();
  // The callback comes on a loading thread; the cell is touched on the main thread only, and
  // only while it still exists.
  std::weak_ptr<ResultAsyncCell> self =
      std::static_pointer_cast<ResultAsyncCell>(shared_from_this());
  support::ImageLoader::create()->loadImageFromURL(row_.imageSource, self,
                                                   [self](const support::Image& image) {
                                                     platform::performOnMainThread(
                                                         [self, image] {
                                                           if (auto cell = self.lock())
                                                             cell->imageLoaded(image);
                                                         },
                                                         false);
                                                   });
}

}  // namespace kelda::catalogue

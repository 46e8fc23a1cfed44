#include "product/PictureLoad.hpp"

#include "platform/RunLoop.hpp"
#include "support/ImageLoader.hpp"

namespace kelda::product {

void loadPicture(const std::shared_ptr<ui::ImageView>& view, const std::string& url,
                 const std::string& placeholder) {
  view->imageName = placeholder;
  view->imageData = nullptr;
  if (url.empty()) return;
  std::weak_ptr<ui::ImageView> target = view;
  support::ImageLoader::create()->loadImageFromURL(
      url, target, [target, placeholder](const support::Image& image) {
        platform::performOnMainThread(
            [target, placeholder, image] {
              auto shown = target.lock();
              if (!shown) return;
              // A resource image is the loader's own "nothing came": keep this screen's one.
              if (!image.name().empty()) return;
              shown->setImageData(image.data());
            },
            false);
      });
}

}  // namespace kelda::product

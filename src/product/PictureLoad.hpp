// loadPicture: fills an image view of a product screen with a downloaded picture. The picture
// comes through the shared ImageLoader (cached, at most two downloads at a time); when nothing
// usable comes (no address, no answer, bytes that are not a picture) the screen's own
// placeholder resource is shown instead. Main thread; the view is updated on the main thread
// only while it still exists.
#pragma once

#include <memory>
#include <string>

#include "ui/ImageView.hpp"

namespace kelda::product {

void loadPicture(const std::shared_ptr<ui::ImageView>& view, const std::string& url,
                 const std::string& placeholder);

}  // namespace kelda::product

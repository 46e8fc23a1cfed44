#include "support/AboutMeViewController.hpp"

#include "gateway/TarnServerAPIs.hpp"
#include "platform/Paths.hpp"
#include "platform/PropertyList.hpp"
#include "ui/Label.hpp"

namespace kelda::support {

AboutMeViewController::AboutMeViewController() {
  setTitle("About");
}

std::shared_ptr<ui::View> AboutMeViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  const json::Value info = platform::readPropertyList(platform::resourcePath("Info.plist"));
  for (const char* key : {"Bundle Info", "ProductCopyright"}) {
    auto label = root->add<ui::Label>(info[key].str());
    label->numberOfLines = 0;
  }
  return root;
}

void AboutMeViewController::viewWillAppear(bool) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
}

}  // namespace kelda::support

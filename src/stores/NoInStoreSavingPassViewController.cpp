#include "stores/NoInStoreSavingPassViewController.hpp"

#include "stores/StoreNavigation.hpp"
#include "ui/Label.hpp"

namespace kelda::stores {

NoInStoreSavingPassViewController::NoInStoreSavingPassViewController() {
  setTitle("Stores");
  navigationItem().rightBarButtonItem = storeSearchBarButton(*this);
}

std::shared_ptr<ui::View> NoInStoreSavingPassViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  auto notice = root->add<ui::Label>(kNotice);
  notice->numberOfLines = 0;
  return root;
}

}  // namespace kelda::stores

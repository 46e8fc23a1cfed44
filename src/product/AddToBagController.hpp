// AddToBagController: the added-to-bag screen ("Add To Bag") shown after an article went into
// the bag: the article (picture, name, description, "Price:" and "Qty:" of the last add) with
// its "total:", then "my bag" with the number of bag lines ("items:") and the bag's "sub
// total:". It sets the my-bag tab's badge to the bag's total quantity. "CONTINUE SHOPPING" goes
// back to the product page; "CHECKOUT" leaves for the my-bag tab.
//
// Made once by PDPViewsController and pushed over it. Main thread only; the bag store is read
// directly on every appearance. Amounts are whole cents.
#pragma once

#include <memory>
#include <mutex>

#include "json/Value.hpp"
#include "product/RowTableController.hpp"

namespace kelda::product {

class AddToBagController : public RowTableController {
 public:
  static constexpr const char* kPageId = "mobile.atb.layer.bag";
  static constexpr int kBagTab = 2;

  AddToBagController();

  // The CHECKOUT button: the my-bag tab's stack back to its root (unless the shopper came from
  // that tab's checkout), this stack back to its root, and the my-bag tab selected.
  void checkout();
  void continueShopping();

 protected:
  void viewWillAppear(bool animated) override;
  std::vector<TableSection> buildSections() override;

 private:
  TableSection articleSection(const json::Value& product) const;
  TableSection bagSection();
  void readBag();

  std::shared_ptr<std::mutex> bagLock_ = std::make_shared<std::mutex>();
  long long lines_ = 0;
  long long subTotalCents_ = 0;
};

}  // namespace kelda::product

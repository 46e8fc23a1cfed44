// CollectionPageController: what the main and details pages of a collection page share: the
// child product sections, the tab strip of a tabbed collection, and opening a child. A tap on
// a child remembers it (`selectedIndex`), shows the busy overlay and asks for the child's
// product answer on a worker; when that answer has arrived the container opens the simple
// product page for it. A request that was not sent or failed leaves the page as it was (with
// the connection message the request shows itself).
//
// A tabbed page shows one button per "pdpTabName" entry; the first is selected when the page is
// made, and selecting another one shows that tab's children.
//
// Made and owned by the collection container; main thread only (the request runs on a worker).
#pragma once

#include <string>
#include <vector>

#include "gateway/RequestStatus.hpp"
#include "product/CollectionChildren.hpp"
#include "product/CollectionViewsDelegate.hpp"
#include "product/RowTableController.hpp"
#include "support/BusyOverlayHandle.hpp"

namespace kelda::product {

class CollectionPageController : public RowTableController {
 public:
  // The child chosen last on this page (its position among the children shown); -1 before.
  int selectedIndex() const { return selectedIndex_; }
  // The tab whose children are shown (tabbed pages; 0 for plain ones).
  int selectedTab() const { return selectedTab_; }
  bool tabChanged() const { return tabChanged_; }

 protected:
  // `page` is this page's position in the container (0 main, 1 details).
  CollectionPageController(CollectionViewsDelegate& container, CollectionKind kind, int page);

  const json::Value& answer() const { return container_.collectionAnswer(); }
  CollectionViewsDelegate& container() { return container_; }
  // One section per child shown, each opening that child when tapped.
  std::vector<TableSection> childSections();
  // The tab strip of a tabbed page; null for a plain one (or a tabbed one without tabs).
  std::shared_ptr<ui::View> tabStrip();
  // Marks tab `index`, shows its children and redraws; nothing for an index out of range.
  void selectTab(int index);

 private:
  void openChild(int index, const json::Value& child);
  void childArrived(gateway::RequestStatus status);

  CollectionViewsDelegate& container_;
  CollectionKind kind_;
  int page_;
  int selectedIndex_ = -1;
  int selectedTab_ = 0;
  bool tabChanged_ = false;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::product

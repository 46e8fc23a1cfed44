#include "product/LazyPages.hpp"

#include <utility>

namespace kelda::product {

LazyPages::LazyPages(ui::ViewController& owner, int count, Factory make)
    : owner_(owner), make_(std::move(make)), pages_(static_cast<std::size_t>(count)) {}

LazyPages::~LazyPages() {
  for (auto& page : pages_) {
    if (page && page->parentViewController() == &owner_) page->setParentViewController(nullptr);
  }
}

void LazyPages::addTo(ui::View& root, std::function<void(int index)> turned) {
  paged_ = root.add<ui::PagedView>();
  paged_->setNumberOfPages(count());
  paged_->showsPageIndicator = true;
  paged_->pageChanged = [turned = std::move(turned)](ui::PagedView&, int index) { turned(index); };
}

std::shared_ptr<RowTableController> LazyPages::page(int index) const {
  if (index < 0 || index >= count()) return nullptr;
  return pages_[static_cast<std::size_t>(index)];
}

bool LazyPages::prepare(int index) {
  if (!paged_ || index < 0 || index >= count()) return false;
  auto& slot = pages_[static_cast<std::size_t>(index)];
  if (slot) return true;
  slot = make_(index);
  slot->setParentViewController(&owner_);
  slot->reloadRows();
  paged_->setPage(index, slot->view());
  return true;
}

void LazyPages::scrollTo(int index) {
  if (prepare(index)) paged_->setCurrentPage(index);
}

void LazyPages::reload(std::initializer_list<int> indices) {
  for (int index : indices) {
    if (auto shown = page(index)) shown->reloadRows();
  }
}

}  // namespace kelda::product

#include "ui/PagedView.hpp"

#include <utility>

namespace kelda::ui {

void PagedView::setNumberOfPages(int count) {
  pages_.resize(static_cast<std::size_t>(count < 0 ? 0 : count));
  if (current_ >= numberOfPages()) current_ = numberOfPages() > 0 ? numberOfPages() - 1 : 0;
}

void PagedView::setPage(int index, std::shared_ptr<View> page) {
  if (index < 0) return;
  if (index >= numberOfPages()) pages_.resize(static_cast<std::size_t>(index) + 1);
  pages_[static_cast<std::size_t>(index)] = std::move(page);
}

std::shared_ptr<View> PagedView::page(int index) const {
  if (index < 0 || index >= numberOfPages()) return nullptr;
  return pages_[static_cast<std::size_t>(index)];
}

bool PagedView::setCurrentPage(int index) {
  if (index < 0 || index >= numberOfPages()) return false;
  current_ = index;
  return true;
}

bool PagedView::turnToPage(int index) {
  if (!setCurrentPage(index)) return false;
  if (pageChanged) pageChanged(*this, index);
  return true;
}

}  // namespace kelda::ui

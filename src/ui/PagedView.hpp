// PagedView: a horizontally paged area showing one page (a view) at a time, with a page
// indicator. Turning to a page runs pageChanged. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "ui/View.hpp"

namespace kelda::ui {

class PagedView : public View {
 public:
  PagedView() = default;
  ViewKind kind() const override { return ViewKind::Paged; }

  // Page slots: a slot may stay empty (null) until its page is first made.
  void setNumberOfPages(int count);
  int numberOfPages() const { return static_cast<int>(pages_.size()); }
  // Puts `page` in slot `index` (grown as needed).
  void setPage(int index, std::shared_ptr<View> page);
  std::shared_ptr<View> page(int index) const;

  int currentPage() const { return current_; }
  // Moves to `index` without calling pageChanged (as the program does). False out of range.
  bool setCurrentPage(int index);
  // What a person's swipe or page-indicator tap does: setCurrentPage, then pageChanged.
  bool turnToPage(int index);

  bool showsPageIndicator = true;
  std::function<void(PagedView&, int page)> pageChanged;

 private:
  std::vector<std::shared_ptr<View>> pages_;
  int current_ = 0;
};

}  // namespace kelda::ui

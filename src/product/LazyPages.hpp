// LazyPages: the paged area of a product page: a fixed number of pages the shopper swipes
// between, with a page indicator. A page's screen is made the first time it is shown (or
// prepared); until then its slot stays empty. The product page owns it and its pages, which
// become children of the owning screen.
//
// Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "product/RowTableController.hpp"
#include "ui/PagedView.hpp"
#include "ui/ViewController.hpp"

namespace kelda::product {

class LazyPages {
 public:
  using Factory = std::function<std::shared_ptr<RowTableController>(int index)>;

  // `count` pages of `owner`, each made by `make` when first needed.
  LazyPages(ui::ViewController& owner, int count, Factory make);
  ~LazyPages();
  LazyPages(const LazyPages&) = delete;
  LazyPages& operator=(const LazyPages&) = delete;

  // Adds the paged view to `root`; `turned` runs when the shopper turns to a page.
  void addTo(ui::View& root, std::function<void(int index)> turned);
  // Makes the page at `index` (drawing its rows) unless it exists. False for an index out of
  // range or before addTo.
  bool prepare(int index);
  // Prepares the page and scrolls to it.
  void scrollTo(int index);

  int count() const { return static_cast<int>(pages_.size()); }
  int current() const { return paged_ ? paged_->currentPage() : 0; }
  // The page's screen; null until it was made.
  std::shared_ptr<RowTableController> page(int index) const;
  // Redraws the pages among `indices` that were made.
  void reload(std::initializer_list<int> indices);

 private:
  ui::ViewController& owner_;
  Factory make_;
  std::shared_ptr<ui::PagedView> paged_;
  std::vector<std::shared_ptr<RowTableController>> pages_;
};

}  // namespace kelda::product

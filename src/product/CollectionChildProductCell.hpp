// CollectionChildProductCell: one child product of a collection page: its picture (a
// self-loading view fed from "childImageSource"), its name ("childProductName"), its sale price
// ("childProductsalePrice", shown as "$%@"; hidden when empty) and the label "Everyday Value".
// A tap on the row opens the child (the collection page does that). Main thread only.
#pragma once

#include <memory>

#include "json/Value.hpp"
#include "support/AsyncImageView.hpp"
#include "ui/Label.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::product {

class CollectionChildProductCell : public ui::TableViewCell {
 public:
  static constexpr const char* kEverydayValue = "Everyday Value";

  // Shows `child` (a child object of "childProducts") and starts its picture's load.
  explicit CollectionChildProductCell(const json::Value& child);

  const support::AsyncImageView& picture() const { return *picture_; }

 private:
  std::shared_ptr<support::AsyncImageView> picture_;
};

}  // namespace kelda::product

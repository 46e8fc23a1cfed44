// DepartmentCaches: the eleven per-department caches of browse answers kept in TarnObjects,
// reached by the department's button tag or by its category id, and the department title and
// id lookups through the application's string table.
//
// Stateless; every function may be called from any thread (TarnObjects synchronises itself).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gateway/TarnObjects.hpp"
#include "json/Value.hpp"

namespace kelda::catalogue {

// The tag of the sale department (it opens the sales screen, not the browse picker).
inline constexpr int kSaleTag = 10;
inline constexpr int kDepartmentCount = 11;

// One department cache: a dictionary field of TarnObjects.
struct DepartmentCache {
  int tag;
  const char* categoryId;
  json::Value (gateway::TarnObjects::*get)() const;
  void (gateway::TarnObjects::*set)(json::Value);

  json::Value read() const;
  void write(json::Value answer) const;
};

// The cache of a department button tag (0 to 10), or nullptr for any other tag.
const DepartmentCache* departmentCacheForTag(int tag);
// The cache of a department's category id ("118" for Women ...), or nullptr when the id is not a
// department's.
const DepartmentCache* departmentCacheForCategoryId(std::string_view categoryId);

// Title of a department button: the string table's value for the tag as decimal text ("" when
// missing).
std::string departmentTitleForTag(int tag);
// Category id of a department title: the table's value for title + "-id" ("" when missing).
std::string departmentIdForTitle(std::string_view title);

}  // namespace kelda::catalogue

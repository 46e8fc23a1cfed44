// CatalogueEndpoints: the browse lists: `category` (a department's subcategories, brands and
// price ranges), `category_sale` (sale categories and their subcategories), `category_ctr` (the
// top-rated departments, and a department's top-rated subcategories) and `get_promo`.
// Stateless over ServerState; any request thread.
#pragma once

#include "FormFields.hpp"
#include "Json.hpp"
#include "ServerState.hpp"

namespace kelda::server {

class CatalogueEndpoints {
 public:
  explicit CatalogueEndpoints(ServerState& state) : state_(state) {}

  // {"category": [{"col1id","col1name"}], "brand": [{"col2id","col2name"}],
  //  "price": [{"col3id","col3name"}]}; brand and price start with "Any" (empty id).
  // An id that is no department gives the empty object (the client keeps its cache empty).
  json::Value category(const FormFields& form);
  // {"category": [{"col1id","col1name"}]}: the sale categories of the sales department, or the
  // subcategories of one sale category (empty for a category without any).
  json::Value categorySale(const FormFields& form);
  // GET: {"data": [{"categoryName","categoryId"}]} of the departments; POST with
  // parentCategoryId: the department's top-rated subcategories.
  json::Value topRatedDepartments();
  json::Value topRatedSubcategories(const FormFields& form);
  // {"data": [{"promotionName","promoCode"}]}.
  json::Value promotions();

 private:
  ServerState& state_;
};

}  // namespace kelda::server

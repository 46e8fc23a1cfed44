#include "CatalogueEndpoints.hpp"

#include <string>

#include "ReferenceData.hpp"
#include "Text.hpp"

namespace kelda::server {
namespace {

json::Value idName(const char* idKey, std::string id, const char* nameKey, std::string name) {
  return ObjectBuilder().add(idKey, std::move(id)).add(nameKey, std::move(name)).build();
}

json::Value errorList(const char* key, std::string message) {
  return ObjectBuilder()
      .add(key, json::Value::array())
      .add("error", true)
      .add("errorMsg", std::move(message))
      .build();
}

}  // namespace

json::Value CatalogueEndpoints::category(const FormFields& form) {
  const auto id = parseId(form.get("categoryId"));
  if (!id) return json::Value::object();
  auto db = state_.pool.acquire();
  auto& dept = db->prepare("SELECT id FROM departments WHERE id = ?");
  if (!dept.bind(1, *id).step()) return json::Value::object();

  std::vector<json::Value> categories, brands, prices;
  auto& cats = db->prepare(
      "SELECT id, name FROM categories WHERE parent_id = ? AND kind IN ('sub', 'sale') "
      "ORDER BY position, id");
  for (cats.bind(1, *id); cats.step();) {
    categories.push_back(
        idName("col1id", std::to_string(cats.integer(0)), "col1name", cats.text(1)));
  }
  brands.push_back(idName("col2id", "", "col2name", "Any"));
  auto& brandRows =
      db->prepare("SELECT id, name FROM brands WHERE department_id = ? ORDER BY position");
  for (brandRows.bind(1, *id); brandRows.step();) {
    brands.push_back(
        idName("col2id", std::to_string(brandRows.integer(0)), "col2name", brandRows.text(1)));
  }
  prices.push_back(idName("col3id", "", "col3name", "Any"));
  auto& priceRows =
      db->prepare("SELECT id, name FROM price_ranges WHERE department_id = ? ORDER BY position");
  for (priceRows.bind(1, *id); priceRows.step();) {
    prices.push_back(
        idName("col3id", std::to_string(priceRows.integer(0)), "col3name", priceRows.text(1)));
  }
  return ObjectBuilder()
      .add("category", json::Value::array(std::move(categories)))
      .add("brand", json::Value::array(std::move(brands)))
      .add("price", json::Value::array(std::move(prices)))
      .build();
}

json::Value CatalogueEndpoints::categorySale(const FormFields& form) {
  const auto id = parseId(form.get("categoryId"));
  if (!id) return errorList("category", "Please choose a sale category.");
  auto db = state_.pool.acquire();
  auto& known = db->prepare(
      "SELECT 1 FROM departments WHERE id = ?1 UNION ALL "
      "SELECT 1 FROM categories WHERE id = ?1 AND kind IN ('sale', 'salesub')");
  if (!known.bind(1, *id).step()) return errorList("category", "We couldn't find that sale.");
  std::vector<json::Value> categories;
  auto& rows = db->prepare(
      "SELECT id, name FROM categories WHERE parent_id = ? AND kind IN ('sale', 'salesub') "
      "ORDER BY position, id");
  for (rows.bind(1, *id); rows.step();) {
    categories.push_back(
        idName("col1id", std::to_string(rows.integer(0)), "col1name", rows.text(1)));
  }
  return ObjectBuilder().add("category", json::Value::array(std::move(categories))).build();
}

json::Value CatalogueEndpoints::topRatedDepartments() {
  std::vector<json::Value> data;
  for (const auto& dept : reference::departments()) {
    data.push_back(
        idName("categoryName", std::string(dept.name), "categoryId", std::to_string(dept.id)));
  }
  return ObjectBuilder().add("data", json::Value::array(std::move(data))).build();
}

json::Value CatalogueEndpoints::topRatedSubcategories(const FormFields& form) {
  const auto id = parseId(form.get("parentCategoryId"));
  if (!id) return errorList("data", "Please choose a department.");
  auto db = state_.pool.acquire();
  std::vector<json::Value> data;
  auto& rows = db->prepare(
      "SELECT id, name FROM categories WHERE parent_id = ? AND kind = 'ctr' ORDER BY position");
  for (rows.bind(1, *id); rows.step();) {
    data.push_back(
        idName("categoryName", rows.text(1), "categoryId", std::to_string(rows.integer(0))));
  }
  if (data.empty()) return errorList("data", "We couldn't find that department.");
  return ObjectBuilder().add("data", json::Value::array(std::move(data))).build();
}

json::Value CatalogueEndpoints::promotions() {
  auto db = state_.pool.acquire();
  std::vector<json::Value> data;
  auto& rows = db->prepare("SELECT name, code FROM promotions ORDER BY position");
  while (rows.step())
    data.push_back(idName("promotionName", rows.text(0), "promoCode", rows.text(1)));
  return ObjectBuilder().add("data", json::Value::array(std::move(data))).build();
}

}  // namespace kelda::server

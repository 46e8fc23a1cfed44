#include "catalogue/DepartmentCaches.hpp"

#include <array>

#include "catalogue/LocalizedStrings.hpp"

namespace kelda::catalogue {
namespace {

using gateway::TarnObjects;

const std::array<DepartmentCache, kDepartmentCount> kCaches{{
    {0, "22672", &TarnObjects::fortheHomeDictionary, &TarnObjects::setFortheHomeDictionary},
    {1, "7495", &TarnObjects::bedBathDictionary, &TarnObjects::setBedBathDictionary},
    {2, "118", &TarnObjects::womenDictionary, &TarnObjects::setWomenDictionary},
    {3, "1", &TarnObjects::menDictionary, &TarnObjects::setMenDictionary},
    {4, "16904", &TarnObjects::juniorsDictionary, &TarnObjects::setJuniorsDictionary},
    {5, "5991", &TarnObjects::kidsDictionary, &TarnObjects::setKidsDictionary},
    {6, "669", &TarnObjects::fragDictionary, &TarnObjects::setFragDictionary},
    {7, "13247", &TarnObjects::shoesDictionary, &TarnObjects::setShoesDictionary},
    {8, "26846", &TarnObjects::handbagsDictionary, &TarnObjects::setHandbagsDictionary},
    {9, "544", &TarnObjects::jewelryDictionary, &TarnObjects::setJewelryDictionary},
    {10, "3536", &TarnObjects::salesDictionary, &TarnObjects::setSalesDictionary},
}};

}  // namespace

json::Value DepartmentCache::read() const {
  return (TarnObjects::sharedInstance().*get)();
}

void DepartmentCache::write(json::Value answer) const {
  (TarnObjects::sharedInstance().*set)(std::move(answer));
}

const DepartmentCache* departmentCacheForTag(int tag) {
  if (tag < 0 || tag >= kDepartmentCount) return nullptr;
  return &kCaches[static_cast<std::size_t>(tag)];
}

const DepartmentCache* departmentCacheForCategoryId(std::string_view categoryId) {
  for (const auto& cache : kCaches) {
    if (categoryId == cache.categoryId) return &cache;
  }
  return nullptr;
}

std::string departmentTitleForTag(int tag) {
  return LocalizedStrings::shared().localizedString(std::to_string(tag), "");
}

std::string departmentIdForTitle(std::string_view title) {
  return LocalizedStrings::shared().localizedString(std::string(title) + "-id", "");
}

}  // namespace kelda::catalogue

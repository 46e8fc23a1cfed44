#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/DepartmentCaches.hpp"
#include "catalogue/LocalizedStrings.hpp"
#include "platform/Context.hpp"

namespace kelda::catalogue {
namespace {

TEST(LocalizedStrings, ReadsEntriesCommentsAndEscapes) {
  auto entries = LocalizedStrings::parse(R"(/* a comment "x" = "y"; */
"a" = "1";   // trailing comment
"quote \" key" = "line\nnext";
  "Bed & Bath-id"="7495";
)");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries["a"], "1");
  EXPECT_EQ(entries["quote \" key"], "line\nnext");
  EXPECT_EQ(entries["Bed & Bath-id"], "7495");
  // A broken entry ends the table; what came before stays.
  EXPECT_EQ(LocalizedStrings::parse(R"("a" = "1"; "b" = ; "c" = "3";)").size(), 1u);
  EXPECT_TRUE(LocalizedStrings::parse(R"("unterminated = "1";)").empty());
}

TEST(LocalizedStrings, MissingFileGivesTheFallback) {
  LocalizedStrings table(std::filesystem::path("/nonexistent/Localizable.strings"));
  EXPECT_EQ(table.size(), 0u);
  EXPECT_EQ(table.localizedString("2", ""), "");
  EXPECT_EQ(table.localizedString("2", "x"), "x");
}

// The shipped table gives every department its title and the category id of its cache.
TEST(DepartmentTable, ShippedTableMatchesTheDepartmentCaches) {
  ASSERT_NE(std::getenv("KELDA_RESOURCES"), nullptr);
  platform::Context context;
  platform::ScopedContext scope(context);
  const std::vector<std::string> titles{"For the Home", "Bed & Bath", "Women",     "Men",
                                        "Juniors",      "Kids",       "Fragrance", "Shoes",
                                        "Handbags",     "Jewelry",    "Sale"};
  for (int tag = 0; tag < kDepartmentCount; ++tag) {
    const std::string title = departmentTitleForTag(tag);
    EXPECT_EQ(title, titles[static_cast<std::size_t>(tag)]);
    const DepartmentCache* cache = departmentCacheForCategoryId(departmentIdForTitle(title));
    ASSERT_NE(cache, nullptr) << title;
    EXPECT_EQ(cache, departmentCacheForTag(tag));
  }
  EXPECT_EQ(departmentIdForTitle("Women"), "118");
  EXPECT_EQ(departmentIdForTitle("Sale"), "3536");
  EXPECT_EQ(departmentTitleForTag(11), "");
  EXPECT_EQ(departmentCacheForTag(11), nullptr);
  EXPECT_EQ(departmentCacheForTag(-1), nullptr);
  EXPECT_EQ(departmentCacheForCategoryId("999"), nullptr);
  EXPECT_EQ(departmentCacheForCategoryId(""), nullptr);
}

}  // namespace
}  // namespace kelda::catalogue

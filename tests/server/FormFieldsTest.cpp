// Form decoding of the bodies the client really sends.
#include <gtest/gtest.h>

#include "FormFields.hpp"

namespace kelda::server {
namespace {

TEST(FormFields, DecodesEscapesPlusAndKeepsRawText) {
  const auto form = FormFields::parse("a=1%262&b=x+y&c=caf\xC3\xA9 au lait&d=100%25&e=%2B1");
  EXPECT_EQ(form.get("a"), "1&2");
  EXPECT_EQ(form.get("b"), "x y");
  EXPECT_EQ(form.get("c"), "caf\xC3\xA9 au lait");
  EXPECT_EQ(form.get("d"), "100%");
  EXPECT_EQ(form.get("e"), "+1");
}

TEST(FormFields, ToleratesLeadingAmpersandEmptyPairsAndMissingValues) {
  const auto form = FormFields::parse("&categoryId=118&&flag&x=");
  EXPECT_EQ(form.get("categoryId"), "118");
  EXPECT_TRUE(form.has("flag"));
  EXPECT_EQ(form.get("flag"), "");
  EXPECT_TRUE(form.has("x"));
  EXPECT_FALSE(form.has("missing"));
  EXPECT_EQ(FormFields::parse("").all().size(), 0u);
  EXPECT_EQ(FormFields::parse("&").all().size(), 0u);
}

TEST(FormFields, KeepsJsonValuesWithTheirQuotesBracesAndEquals) {
  const auto form = FormFields::parse(
      R"(categoryId=1&refinements={"BRAND":"Stone %26 Field","PRICE":"a=b"}&itemBOAttr=[{"setUpcID":"5"}])");
  EXPECT_EQ(form.get("refinements"), R"({"BRAND":"Stone & Field","PRICE":"a=b"})");
  EXPECT_EQ(form.get("itemBOAttr"), R"([{"setUpcID":"5"}])");
}

TEST(FormFields, KeepsMalformedEscapesAndLetsTheLastDuplicateWin) {
  EXPECT_EQ(FormFields::decode("%"), "%");
  EXPECT_EQ(FormFields::decode("%4"), "%4");
  EXPECT_EQ(FormFields::decode("%zz%4g"), "%zz%4g");
  EXPECT_EQ(FormFields::decode("%00").size(), 1u);
  EXPECT_EQ(FormFields::parse("a=1&a=2").get("a"), "2");
  EXPECT_EQ(FormFields::parse("a=%20%20x%20").trimmed("a"), "x");
}

}  // namespace
}  // namespace kelda::server

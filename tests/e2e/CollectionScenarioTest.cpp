// Collection products end to end: kelda-cli against kelda-middleware: search "collection", open
// a plain collection, open a child, add it to the bag (the badge follows), come back to the
// collection and read its reviews; then open a tabbed collection, switch tabs, and add a child
// of the second tab.
#include <gtest/gtest.h>

#include <string>

#include "e2e/E2eFixture.hpp"

namespace kelda::test {
namespace {

class CollectionScenario : public E2eFixture {};

bool has(const std::string& screen, const std::string& part) {
  return screen.find(part) != std::string::npos;
}

// The text of the line after the first line holding `id` (a row's first text line).
std::string lineAfter(const std::string& screen, const std::string& id, int skip = 1) {
  auto at = screen.find(id);
  if (at == std::string::npos) return "";
  for (int line = 0; line <= skip; ++line) at = screen.find('\n', at) + 1;
  const auto start = screen.find_first_not_of(' ', at);
  return screen.substr(start, screen.find('\n', start) - start);
}

TEST_F(CollectionScenario, OpenACollectionChooseAChildAndAddItToTheBag) {
  const CliRun run = cli().run(
      "alert Later\n"
      "search collection\n"
      // The plain collection and its second child (one colour: a size and a quantity).
      "tap row.0.0\n"
      "tap row.2.0\n"
      "tap size:\n"
      "tap row.0.0\n"
      "tap quantity:\n"
      "tap row.0.0\n"
      "tap \"ADD TO BAG\"\n"
      "tap \"CONTINUE SHOPPING\"\n"
      "back\n"
      "page 2\n"
      "back\n"
      // The tabbed collection, its second tab, and that tab's first child.
      "tap row.1.0\n"
      "tap Bottoms\n"
      "tap row.1.0\n"
      "tap size:\n"
      "tap row.0.0\n"
      "tap quantity:\n"
      "tap row.0.0\n"
      "tap \"ADD TO BAG\"\n"
      "quit\n",
      home());
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_EQ(run.err, "");

  const std::string list = run.after("search collection");
  const std::string plainName = lineAfter(list, "row.0.0", 2);
  ASSERT_TRUE(has(plainName, " Collection")) << list;
  const std::string collection = run.after("tap row.0.0");
  EXPECT_TRUE(has(collection, "== " + plainName.substr(0, 18) + "... ==")) << collection;
  for (const char* part :
       {"nav.left [Previous]", "pages: [0] 1 2 3", "row.1.0 >", "row.3.0 >", "Everyday Value"}) {
    EXPECT_TRUE(has(collection, part)) << part << "\n" << collection;
  }
  const std::string childName = lineAfter(collection, "row.2.0 >", 1);
  const std::string child = run.after("tap row.2.0");
  EXPECT_TRUE(has(child, "== " + childName.substr(0, 18))) << childName << "\n" << child;
  EXPECT_TRUE(has(child, "nav.back < Previous")) << child;
  EXPECT_TRUE(has(child, "size: | Select Size >")) << child;
  const std::string added = run.after("tap \"ADD TO BAG\"");
  EXPECT_TRUE(has(added, "== Add To Bag ==")) << added;
  EXPECT_TRUE(has(added, childName)) << added;
  EXPECT_TRUE(has(added, "tab.2 my bag (1)")) << added;

  // Back from the child: the collection on the page left; its reviews are its own.
  const std::string again = run.after("back");
  EXPECT_TRUE(has(again, "== " + plainName.substr(0, 18) + "... ==")) << again;
  EXPECT_TRUE(has(again, "pages: [0] 1 2 3")) << again;
  const std::string reviews = run.after("page 2");
  EXPECT_TRUE(has(reviews, "pages: 0 1 [2] 3")) << reviews;
  EXPECT_TRUE(has(reviews, "row.0.0 >")) << reviews;

  const std::string tabbed = run.out.substr(run.out.find("> tap Bottoms\n"));
  EXPECT_TRUE(has(tabbed, "[Bottoms] (selected)")) << tabbed;
  const std::string merged = run.out.substr(run.out.rfind("> tap \"ADD TO BAG\"\n"));
  EXPECT_TRUE(has(merged, "== Add To Bag ==")) << merged;
  EXPECT_TRUE(has(merged, "tab.2 my bag (2)")) << merged;
  EXPECT_TRUE(has(merged, "row.1.0 items: | 2")) << merged;
}

}  // namespace
}  // namespace kelda::test

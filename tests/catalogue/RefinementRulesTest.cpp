#include <gtest/gtest.h>

#include <string>

#include "catalogue/RefinementRules.hpp"
#include "json/SBJson.hpp"

namespace kelda::catalogue {
namespace {

std::string combined(std::string_view chosen, std::string_view applied) {
  return refinementsText(combineRefinements(json::JSONValue(chosen), json::JSONValue(applied)));
}

TEST(RefinementRules, ChoicesCombineWithWhatTheListApplies) {
  struct Case {
    const char* chosen;
    const char* applied;
    const char* sent;
  };
  const Case cases[] = {
      // The applied brand again: its price comes along when none is chosen ...
      {R"({"BRAND":"Amara","COLOR":"Red"})", R"({"BRAND":"Amara","PRICE":"201"})",
       R"({"BRAND":"Amara","COLOR":"Red","PRICE":"201"})"},
      // ... and a price chosen for it is sent, not the applied one.
      {R"({"BRAND":"Amara","PRICE":"$25 - $50"})", R"({"BRAND":"Amara","PRICE":"201"})",
       R"({"BRAND":"Amara","PRICE":"$25 - $50"})"},
      // The applied brand while nothing says which price applies: as chosen.
      {R"({"BRAND":"Amara"})", R"({"BRAND":"Amara"})", R"({"BRAND":"Amara"})"},
      // Another brand keeps only the brand and the chosen price.
      {R"({"COLOR":"Red","BRAND":"Zed","RATING":"4","PRICE":"p1"})",
       R"({"BRAND":"Amara","PRICE":"201"})", R"({"BRAND":"Zed","PRICE":"p1"})"},
      {R"({"BRAND":"Zed","COLOR":"Red"})", R"({})", R"({"BRAND":"Zed"})"},
      // A price alone is sent as chosen.
      {R"({"PRICE":"p1","COLOR":"Red"})", R"({"BRAND":"Amara","PRICE":"201"})",
       R"({"PRICE":"p1","COLOR":"Red"})"},
      // Neither: the applied refinements join the choices and win over them.
      {R"({"COLOR":"Red","RATING":"3"})", R"({"BRAND":"","PRICE":"","RATING":"4"})",
       R"({"COLOR":"Red","RATING":"4","BRAND":"","PRICE":""})"},
      {R"({})", R"({"BRAND":"","PRICE":""})", R"({"BRAND":"","PRICE":""})"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(combined(c.chosen, c.applied), c.sent) << c.chosen << " with " << c.applied;
  }
}

}  // namespace
}  // namespace kelda::catalogue

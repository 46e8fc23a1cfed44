#include "platform/Context.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelda::platform {
namespace {

std::vector<std::string>* g_destroyed = nullptr;

struct First {
  ~First() { g_destroyed->push_back("first"); }
  int value = 1;
};
struct Second {
  Second() : first(shared<First>()) {}
  ~Second() { g_destroyed->push_back("second"); }
  First& first;
};

TEST(Context, CreatesOncePerContextAndDestroysInReverseOrder) {
  std::vector<std::string> destroyed;
  g_destroyed = &destroyed;
  {
    Context context;
    ScopedContext scope(context);
    Second& second = shared<Second>();
    EXPECT_EQ(&second, &shared<Second>());
    EXPECT_EQ(&second.first, &shared<First>());
    second.first.value = 7;
  }
  EXPECT_EQ(destroyed, (std::vector<std::string>{"second", "first"}));
  Context fresh;
  ScopedContext scope(fresh);
  EXPECT_EQ(shared<First>().value, 1);
  g_destroyed = &destroyed;
}

}  // namespace
}  // namespace kelda::platform

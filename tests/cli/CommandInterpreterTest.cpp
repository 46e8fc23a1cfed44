#include "CommandInterpreter.hpp"

#include <gtest/gtest.h>

#include "CommandParser.hpp"
#include "platform/Context.hpp"
#include "platform/RunLoop.hpp"
#include "ui/Button.hpp"
#include "ui/DropInBanner.hpp"
#include "ui/Window.hpp"

namespace kelda::cli {
namespace {

TEST(CommandParser, SplitsWordsAndQuotes) {
  ParsedLine line = parseCommandLine(R"(  TYPE field.email "ann \"a\" smith"  )");
  ASSERT_TRUE(line.command);
  EXPECT_EQ(line.command->name, "type");
  EXPECT_EQ(line.command->words, (std::vector<std::string>{"field.email", "ann \"a\" smith"}));
  EXPECT_EQ(parseCommandLine("tab my   bag").command->joined(), "my bag");
  EXPECT_EQ(parseCommandLine(R"(type field.0 "")").command->words.size(), 2u);
  EXPECT_FALSE(parseCommandLine("   ").command);
  EXPECT_FALSE(parseCommandLine("# a comment").command);
  ParsedLine broken = parseCommandLine(R"(tap "Sign In)");
  EXPECT_FALSE(broken.command);
  EXPECT_EQ(broken.error, "Unbalanced quote");
}

class CommandInterpreterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::RunLoop::main().setClock(clock);
    auto screen = std::make_shared<ui::ViewController>();
    screen->view()->add<ui::Button>("Go", [this](ui::Button&) {
      ++taps;
      ui::DropInBanner::show("done", std::chrono::seconds(3));
    });
    ui::Window::shared().setRootViewController(screen);
    ui::Window::shared().makeKeyAndVisible();
  }
  Outcome run(const std::string& line) {
    return interpreter.execute(*parseCommandLine(line).command);
  }

  platform::Context context;
  platform::ScopedContext scope{context};
  std::shared_ptr<platform::ManualClock> clock = std::make_shared<platform::ManualClock>();
  CommandInterpreter interpreter{ui::Window::shared(), platform::RunLoop::main()};
  int taps = 0;
};

TEST_F(CommandInterpreterTest, UnknownCommandsAndMissingArgumentsChangeNothing) {
  Outcome unknown = run("frobnicate Go");
  EXPECT_FALSE(unknown.ok);
  EXPECT_EQ(unknown.error, "Unknown command \"frobnicate\" (type help for the list)");
  EXPECT_EQ(run("type field.0").error, "Usage: type TARGET TEXT");
  EXPECT_EQ(run("pick picker").error, "Usage: pick TARGET ROW...");
  EXPECT_EQ(run("wait soon").error, "Usage: wait [SECONDS] (SECONDS is a number, 0 or more)");
  EXPECT_EQ(run("wait -1").error, "Usage: wait [SECONDS] (SECONDS is a number, 0 or more)");
  EXPECT_EQ(run("tap Nowhere").error, "No element \"Nowhere\" on the screen");
  EXPECT_EQ(taps, 0);
  EXPECT_EQ(clock->now().count(), 0);
}

TEST_F(CommandInterpreterTest, ActionsRunUntilIdleAndWaitMovesTheClock) {
  Outcome tapped = run("tap go");
  EXPECT_TRUE(tapped.ok);
  EXPECT_TRUE(tapped.showScreen);
  EXPECT_EQ(taps, 1);
  // The banner's drop-in (a delayed call) already ran: the loop ran until idle.
  EXPECT_EQ(ui::Window::shared().banner()->state, ui::BannerState::Shown);
  EXPECT_TRUE(run("wait 2.5").ok);
  EXPECT_NE(ui::Window::shared().banner(), nullptr);
  EXPECT_TRUE(run("wait 0.5").ok);
  EXPECT_EQ(ui::Window::shared().banner(), nullptr);
  EXPECT_EQ(clock->now(), std::chrono::seconds(3));

  Outcome json = run("json");
  EXPECT_EQ(json.output.rfind("{\"kind\":\"window\"", 0), 0u);
  EXPECT_FALSE(json.showScreen);
  EXPECT_NE(run("help").output.find("  quit                end the program\n"), std::string::npos);
  EXPECT_TRUE(run("QUIT").quit);
}

}  // namespace
}  // namespace kelda::cli

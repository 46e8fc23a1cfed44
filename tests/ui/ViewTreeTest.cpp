#include "UiFixture.hpp"
#include "ui/Button.hpp"
#include "ui/Label.hpp"
#include "ui/MapView.hpp"
#include "ui/SearchBar.hpp"
#include "ui/TextField.hpp"

namespace kelda::ui::testing {
namespace {

TEST(ViewTree, SubviewsMoveBetweenParentsAndOutliveThem) {
  auto a = std::make_shared<View>();
  auto b = std::make_shared<View>();
  auto child = a->add<Label>("x");
  child->tag = 7;
  b->addSubview(child);  // moves: one parent at a time
  EXPECT_TRUE(a->subviews().empty());
  EXPECT_EQ(child->superview(), b.get());
  EXPECT_EQ(b->viewWithTag(7), child.get());
  EXPECT_EQ(a->viewWithTag(7), nullptr);
  b->insertSubview(std::make_shared<View>(), 0);
  EXPECT_EQ(b->subviews()[1], child);
  b->bringSubviewToFront(b->subviews()[0]);
  EXPECT_EQ(b->subviews()[0], child);
  child->hidden = false;
  b->hidden = true;
  EXPECT_FALSE(child->isVisibleInTree());
  b.reset();  // the child outlives its parent without a dangling back pointer
  EXPECT_EQ(child->superview(), nullptr);
  child->removeFromSuperview();
  b = std::make_shared<View>();
  b->addSubview(b);  // a view is never its own subview
  EXPECT_TRUE(b->subviews().empty());
}

class ResponderTest : public UiTest {
 protected:
  void SetUp() override {
    screen = std::make_shared<ViewController>();
    window().setRootViewController(screen);
    window().makeKeyAndVisible();
    first = screen->view()->add<TextField>("first");
    second = screen->view()->add<TextField>("second");
    for (auto* field : {first.get(), second.get()}) {
      field->didBeginEditing = [this](TextField& f) { log.push_back("begin " + f.placeholder); };
      field->didEndEditing = [this](TextField& f) { log.push_back("end " + f.placeholder); };
    }
  }
  std::shared_ptr<ViewController> screen;
  std::shared_ptr<TextField> first, second;
  Log log;
};

TEST_F(ResponderTest, OneFieldEditsAtATime) {
  ASSERT_TRUE(actor.type("first", "a"));
  ASSERT_TRUE(actor.tap("second"));  // tapping a field begins its editing
  EXPECT_EQ(log, (Log{"begin first", "end first", "begin second"}));
  EXPECT_TRUE(second->isFirstResponder());
  window().endEditing();
  EXPECT_EQ(log.back(), "end second");
  EXPECT_EQ(window().firstResponder(), nullptr);

  // A field removed while editing no longer holds the keyboard.
  first->becomeFirstResponder();
  first->removeFromSuperview();
  first.reset();
  EXPECT_EQ(window().firstResponder(), nullptr);
}

TEST_F(ResponderTest, FieldsMayRefuseEditingOrCharacters) {
  first->shouldBeginEditing = [](TextField&) { return false; };
  EXPECT_EQ(actor.type("first", "x").message, "\"first\" refused editing");
  EXPECT_EQ(first->text, "");
  // A field that takes at most five characters keeps the first five typed.
  second->shouldChangeText = [](TextField&, const std::string& text) { return text.size() <= 5; };
  second->text = "old";
  ASSERT_TRUE(actor.type("second", "123456789"));
  EXPECT_EQ(second->text, "12345");
  second->enabled = false;
  second->resignFirstResponder();
  EXPECT_EQ(actor.type("second", "x").message, "\"second\" is disabled");
  // UTF-8 text is typed character by character, never split inside one: with room for four
  // bytes the two-byte letter is refused whole and the next letter still fits.
  second->enabled = true;
  second->shouldChangeText = [](TextField&, const std::string& text) { return text.size() <= 4; };
  ASSERT_TRUE(actor.type("second", "caf\u00e9s!"));
  EXPECT_EQ(second->text, "cafs");
}

TEST_F(ResponderTest, DisabledButtonsAndMapPins) {
  int taps = 0;
  auto button = screen->view()->add<Button>("Go", [&](Button&) { ++taps; });
  button->enabled = false;
  EXPECT_EQ(actor.tap("Go").message, "\"Go\" is disabled");
  button->enabled = true;
  button->dimmed = true;
  EXPECT_TRUE(actor.tap("Go"));  // dimmed still works
  EXPECT_EQ(taps, 1);

  auto map = screen->view()->add<MapView>();
  map->setRegion({40.75, -73.99}, {0.05, 0.05});
  map->addPin({{40.75, -73.99}, "Kelda Herald Square", "151 W 34th St"});
  int selected = -1;
  map->didSelectPin = [&](MapView&, int pin) { selected = pin; };
  EXPECT_TRUE(actor.tap("kelda herald square"));
  EXPECT_EQ(selected, 0);
  std::string text = screenText();
  EXPECT_NE(text.find("  map: centre 40.75, -73.99 span 0.05, 0.05\n"
                      "    pin.0 Kelda Herald Square - 151 W 34th St (selected)\n"),
            std::string::npos)
      << text;
}

}  // namespace
}  // namespace kelda::ui::testing

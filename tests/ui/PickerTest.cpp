#include "UiFixture.hpp"
#include "ui/DatePicker.hpp"
#include "ui/Label.hpp"
#include "ui/PagedView.hpp"
#include "ui/PickerView.hpp"

namespace kelda::ui::testing {
namespace {

class PickerTest : public UiTest {
 protected:
  void SetUp() override {
    screen = std::make_shared<ViewController>();
    window().setRootViewController(screen);
    window().makeKeyAndVisible();
  }
  std::shared_ptr<ViewController> screen;
};

// Three wheels filled by a data source, as the browse picker has them.
class Wheels : public PickerViewDataSource {
 public:
  std::vector<std::vector<std::string>> rows{{"Dresses", "Tops"}, {"Any", "Kelda & Co"}, {"Any"}};
  int numberOfComponentsInPickerView(PickerView&) override { return 3; }
  int numberOfRowsInComponent(PickerView&, int c) override {
    return static_cast<int>(rows[static_cast<std::size_t>(c)].size());
  }
  std::string titleForRow(PickerView&, int r, int c) override {
    return rows[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
  }
};

TEST_F(PickerTest, WheelsOnAScreenTurnByTitleOrIndex) {
  Wheels source;
  auto picker = screen->view()->add<PickerView>();
  picker->dataSource = &source;
  picker->reloadAllComponents();
  Log turns;
  picker->didSelectRow = [&](PickerView&, int r, int c) {
    turns.push_back(std::to_string(c) + ":" + std::to_string(r));
  };
  EXPECT_TRUE(actor.pick("picker.0", {"tops", "1"}));
  EXPECT_EQ(turns, (Log{"0:1", "1:1"}));
  EXPECT_EQ(picker->selectedRowInComponent(1), 1);

  // A bad row on any wheel changes nothing.
  EXPECT_EQ(actor.pick("picker.0", {"Dresses", "Nope"}).message,
            "No row \"Nope\" on wheel 1 of \"picker.0\"");
  EXPECT_EQ(picker->selectedRowInComponent(0), 1);
  EXPECT_EQ(actor.pick("picker.0", {"0", "0", "0", "0"}).message, "\"picker.0\" has 3 wheel(s)");

  source.rows[0] = {"Only"};
  picker->reloadAllComponents();
  EXPECT_EQ(picker->selectedRowInComponent(0), 0);  // kept in range
  EXPECT_EQ(picker->selectedRowInComponent(5), -1);
  EXPECT_EQ(picker->titleForRow(3, 0), "");
}

TEST_F(PickerTest, PresentedPickerHasDoneAndCancel) {
  EXPECT_EQ(actor.done().message, "No picker is open");
  auto picker =
      std::make_shared<PickerView>(std::vector<std::vector<std::string>>{{"1", "2", "3", "4"}});
  int done = 0, cancelled = 0;
  picker->done = [&](PickerView& p) {
    done = p.selectedRowInComponent(0) + 1;
    window().dismissPicker();
  };
  picker->cancel = [&](PickerView&) { ++cancelled; };
  window().presentPicker(picker);
  EXPECT_TRUE(actor.pick("picker", {"3"}));  // a title before an index
  EXPECT_EQ(screenText(),
            "==  ==\n"
            "Picker:\n"
            "  picker wheels:\n"
            "    wheel 0: 1 | 2 | [3] | 4\n"
            "  picker.done [Done]  picker.cancel [Cancel]\n");
  EXPECT_TRUE(actor.cancel());
  EXPECT_EQ(cancelled, 1);
  EXPECT_TRUE(actor.done());
  EXPECT_EQ(done, 3);
  EXPECT_EQ(window().presentedPicker(), nullptr);
}

TEST_F(PickerTest, DatePickerParsesAndClamps) {
  using std::chrono::sys_days;
  using namespace std::chrono_literals;
  auto date = std::make_shared<DatePicker>();
  date->maximumDate = DatePicker::TimePoint(sys_days(2010y / 6 / 30));
  window().presentPicker(date);
  EXPECT_TRUE(actor.pick("picker", {"2000-02-29"}));
  EXPECT_EQ(DatePicker::format(date->date(), DatePickerMode::Date), "2000-02-29");
  EXPECT_TRUE(actor.pick("picker", {"2020-01-01"}));
  EXPECT_EQ(DatePicker::format(date->date(), DatePickerMode::Date), "2010-06-30");
  EXPECT_FALSE(actor.pick("picker", {"2001-02-29"}));
  EXPECT_EQ(actor.pick("picker", {"tomorrow"}).message,
            "\"tomorrow\" is not a date for \"picker\" (YYYY-MM-DD)");
  EXPECT_FALSE(DatePicker::parse("2000-01-01 24:00"));
  auto withTime = DatePicker::parse("2000-01-01T10:05");
  ASSERT_TRUE(withTime);
  EXPECT_EQ(DatePicker::format(*withTime, DatePickerMode::DateAndTime), "2000-01-01 10:05");
  EXPECT_EQ(DatePicker::format(*withTime, DatePickerMode::Time), "10:05");
}

TEST_F(PickerTest, PagedViewShowsOnePageAndTurns) {
  auto pages = screen->view()->add<PagedView>();
  for (int i = 0; i < 4; ++i) {
    auto page = std::make_shared<View>();
    page->add<Label>("page " + std::to_string(i));
    pages->setPage(i, page);
  }
  int reported = -1;
  pages->pageChanged = [&](PagedView&, int p) { reported = p; };
  EXPECT_NE(screenText().find("pages.0 pages: [0] 1 2 3\n    page 0\n"), std::string::npos);
  EXPECT_TRUE(actor.page("2"));
  EXPECT_EQ(reported, 2);
  EXPECT_NE(screenText().find("pages.0 pages: 0 1 [2] 3\n    page 2\n"), std::string::npos);
  EXPECT_EQ(actor.page("4").message, "No page \"4\" (pages 0 to 3)");
  EXPECT_FALSE(actor.page("x"));
  EXPECT_EQ(pages->currentPage(), 2);
}

}  // namespace
}  // namespace kelda::ui::testing

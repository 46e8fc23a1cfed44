#include "UiFixture.hpp"
#include "ui/Button.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TableView.hpp"
#include "ui/TextField.hpp"

namespace kelda::ui::testing {
namespace {

// A bag-like list: one section of lines, a footer with a button, deletable in edit mode.
class ListScreen : public ViewController, public TableViewDataSource, public TableViewDelegate {
 public:
  std::vector<std::string> lines{"shirt", "shoes", "hat"};
  std::vector<IndexPath> selected;
  int cellsMade = 0;
  int checkouts = 0;
  std::shared_ptr<TableView> table;

  int numberOfRowsInSection(TableView&, int) override { return static_cast<int>(lines.size()); }
  std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView&, IndexPath path) override {
    ++cellsMade;
    auto cell = std::make_shared<TableViewCell>();
    cell->textLabel().text = lines[static_cast<std::size_t>(path.row)];
    cell->accessoryType = CellAccessory::DisclosureIndicator;
    auto field = cell->add<TextField>("qty");
    field->identifier = "qty" + std::to_string(path.row);
    return cell;
  }
  std::string titleForHeaderInSection(TableView&, int) override { return "my bag"; }
  bool canEditRowAtIndexPath(TableView&, IndexPath path) override { return path.row != 2; }
  void commitEditingStyle(TableView& t, EditingStyle, IndexPath path) override {
    lines.erase(lines.begin() + path.row);
    t.deleteRowsAtIndexPaths({path});
  }
  void didSelectRowAtIndexPath(TableView& t, IndexPath path) override {
    selected.push_back(path);
    t.deselectRowAtIndexPath(path, true);
  }
  std::shared_ptr<View> viewForFooterInSection(TableView&, int) override {
    auto footer = std::make_shared<View>();
    footer->add<Button>("Checkout", [this](Button&) { ++checkouts; });
    return footer;
  }

 protected:
  void viewDidLoad() override {
    table = view()->add<TableView>();
    table->dataSource = this;
    table->delegate = this;
  }
};

class TableTest : public UiTest {
 protected:
  void SetUp() override {
    screen = std::make_shared<ListScreen>();
    window().setRootViewController(std::make_shared<NavigationController>(screen));
    window().makeKeyAndVisible();
  }
  std::shared_ptr<ListScreen> screen;
};

TEST_F(TableTest, CellsAreKeptUntilReload) {
  screenJson();
  EXPECT_EQ(screen->cellsMade, 3);
  ASSERT_TRUE(actor.type("field.qty1", "2"));
  screenJson();
  EXPECT_EQ(screen->cellsMade, 3);
  EXPECT_EQ(screen->table->cellForRowAtIndexPath({0, 1})->visibleText(), "shoes");
  EXPECT_EQ(
      screenJson()["screen"]["children"][0]["sections"][0]["rows"][1]["children"][0]["text"].str(),
      "2");
  screen->lines.push_back("belt");
  EXPECT_EQ(screen->table->numberOfRowsInSection(0), 3);  // not asked again before reloadData
  screen->table->reloadData();
  EXPECT_EQ(screen->table->numberOfRowsInSection(0), 4);
  EXPECT_EQ(screen->table->cellForRowAtIndexPath({0, 4}), nullptr);
  EXPECT_EQ(screen->table->cellForRowAtIndexPath({3, 0}), nullptr);
}

TEST_F(TableTest, TapsSelectRowsAndRunFooterButtons) {
  EXPECT_TRUE(actor.tap("row.0.2"));
  EXPECT_TRUE(actor.tap("Shoes"));  // the row's text, ignoring case
  EXPECT_EQ(screen->selected, (std::vector<IndexPath>{{0, 2}, {0, 1}}));
  EXPECT_FALSE(screen->table->indexPathForSelectedRow().has_value());
  EXPECT_TRUE(actor.tap("footer.0.button.0"));
  EXPECT_TRUE(actor.tap("checkout"));
  EXPECT_EQ(screen->checkouts, 2);
  ActResult missing = actor.tap("row.0.9");
  EXPECT_FALSE(missing);
  EXPECT_EQ(missing.message, "No element \"row.0.9\" on the screen");
}

TEST_F(TableTest, EditModeDeletesOnlyEditableRows) {
  EXPECT_FALSE(actor.tap("row.0.0.delete"));  // not in edit mode
  screen->table->setEditing(true);
  json::Value rows = screenJson()["screen"]["children"][0]["sections"][0]["rows"];
  EXPECT_EQ(rows[0]["delete"].str(), "row.0.0.delete");
  EXPECT_TRUE(rows[2]["delete"].isAbsent());
  EXPECT_FALSE(actor.tap("row.0.2.delete"));
  EXPECT_TRUE(actor.tap("row.0.0.delete"));
  EXPECT_EQ(screen->lines, (std::vector<std::string>{"shoes", "hat"}));
  EXPECT_EQ(screen->table->cellForRowAtIndexPath({0, 0})->visibleText(), "shoes");
}

}  // namespace
}  // namespace kelda::ui::testing

namespace kelda::ui::testing {
namespace {

// Two tables on one screen, one with header views and a table header, one with an accessory.
class TwoTables : public ViewController, public TableViewDataSource, public TableViewDelegate {
 public:
  std::shared_ptr<TableView> upper, lower;
  Log events;
  bool reloadWhileFilling = false;

  int numberOfSectionsInTableView(TableView& t) override { return &t == upper.get() ? 2 : 1; }
  int numberOfRowsInSection(TableView&, int) override { return 1; }
  std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView& t, IndexPath path) override {
    if (reloadWhileFilling) {
      reloadWhileFilling = false;
      t.reloadData();
    }
    auto cell = std::make_shared<TableViewCell>();
    cell->textLabel().text = (&t == upper.get() ? "up " : "down ") + std::to_string(path.section);
    if (&t == lower.get()) cell->accessoryType = CellAccessory::DetailDisclosureButton;
    if (&t == upper.get() && path.section == 1) cell->userInteractionEnabled = false;
    return cell;
  }
  std::shared_ptr<View> viewForHeaderInSection(TableView& t, int section) override {
    if (&t != upper.get()) return nullptr;
    return std::make_shared<Button>("Edit " + std::to_string(section), [this, section](Button&) {
      events.push_back("edit " + std::to_string(section));
    });
  }
  void accessoryButtonTappedForRowWithIndexPath(TableView&, IndexPath path) override {
    events.push_back("accessory " + std::to_string(path.row));
  }
  void didSelectRowAtIndexPath(TableView& t, IndexPath) override {
    events.push_back(&t == upper.get() ? "select up" : "select down");
  }

 protected:
  void viewDidLoad() override {
    upper = view()->add<TableView>();
    lower = view()->add<TableView>();
    for (auto* t : {upper.get(), lower.get()}) {
      t->dataSource = this;
      t->delegate = this;
    }
    upper->tableHeaderView = std::make_shared<Button>("Top");
  }
};

TEST_F(UiTest, SecondTableRowsAndSectionHeadersHaveTheirOwnIds) {
  auto screen = std::make_shared<TwoTables>();
  window().setRootViewController(screen);
  window().makeKeyAndVisible();
  EXPECT_EQ(screenText(),
            "==  ==\n"
            "  table.header.button.0 [Top]\n"
            "  header.0.button.0 [Edit 0]\n"
            "  row.0.0 up 0\n"
            "  header.1.button.0 [Edit 1]\n"
            "  row.1.0 up 1\n"
            "  table1.row.0.0 down 0 table1.row.0.0.accessory (i)\n");
  EXPECT_TRUE(actor.tap("header.1.button.0"));
  EXPECT_TRUE(actor.tap("table1.row.0.0.accessory"));
  EXPECT_TRUE(actor.tap("down 0"));
  EXPECT_EQ(actor.tap("row.1.0").message, "\"row.1.0\" is disabled");
  EXPECT_EQ(screen->events, (Log{"edit 1", "accessory 0", "select down"}));

  // A data source that reloads the table while filling a cell does not break the table.
  screen->reloadWhileFilling = true;
  screen->upper->reloadData();
  EXPECT_NE(screenText().find("  row.1.0 up 1\n"), std::string::npos);
}

}  // namespace
}  // namespace kelda::ui::testing

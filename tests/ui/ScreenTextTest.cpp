#include "UiFixture.hpp"
#include "ui/Button.hpp"
#include "ui/CheckBox.hpp"
#include "ui/ImageView.hpp"
#include "ui/Label.hpp"
#include "ui/NavigationController.hpp"
#include "ui/RadioButton.hpp"
#include "ui/RatingView.hpp"
#include "ui/SearchBar.hpp"
#include "ui/Switch.hpp"
#include "ui/TabBarController.hpp"
#include "ui/TableView.hpp"
#include "ui/TextField.hpp"

namespace kelda::ui::testing {
namespace {

// A sign-in form with one of every element and a small table.
class FormScreen : public ViewController, public TableViewDataSource, public TableViewDelegate {
 public:
  std::shared_ptr<TextField> email, password;
  std::vector<std::string> signIns;

  int numberOfRowsInSection(TableView&, int) override { return 2; }
  std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView&, IndexPath path) override {
    auto cell = std::make_shared<TableViewCell>(CellStyle::Value1);
    cell->textLabel().text = path.row == 0 ? "Stores" : "Help";
    if (path.row == 0) cell->accessoryType = CellAccessory::DisclosureIndicator;
    if (path.row == 1) cell->detailTextLabel().text = "call us";
    return cell;
  }
  std::string titleForHeaderInSection(TableView&, int) override { return "more"; }
  std::shared_ptr<View> viewForFooterInSection(TableView&, int) override {
    return std::make_shared<Button>("Log out");
  }

 protected:
  void viewDidLoad() override {
    setTitle("Sign In");
    navigationItem().rightBarButtonItem = std::make_shared<BarButtonItem>("Register");
    auto v = view();
    v->add<Label>("please sign in:", TextStyle::Bold);
    email = v->add<TextField>("Enter Email Address");
    email->label = "Email Address:";
    email->identifier = "email";
    email->keyboardType = KeyboardType::Email;
    email->returnKeyType = ReturnKeyType::Next;
    v->add<Label>("Password:");
    password = v->add<TextField>("Enter Password");
    password->secureTextEntry = true;
    password->returnKeyType = ReturnKeyType::Go;
    password->shouldReturn = [this](TextField& f) {
      f.resignFirstResponder();
      signIns.push_back(email->text + ";" + password->text);
    };
    v->add<Button>("Sign In");
    v->add<Label>("Subscribe:");
    v->add<Switch>(true);
    v->add<CheckBox>("use my shipping address", true);
    v->add<RadioButton>("Standard", true);
    v->add<RadioButton>("Premium");
    v->add<ImageView>("logo.png");
    v->add<RatingView>(3.5);
    auto hiddenButton = v->add<Button>("Secret");
    hiddenButton->hidden = true;
    auto table = v->add<TableView>(TableViewStyle::Grouped);
    table->dataSource = this;
    table->delegate = this;
  }
};

class ScreenTextTest : public UiTest {
 protected:
  void SetUp() override {
    form = std::make_shared<FormScreen>();
    auto home = std::make_shared<NavigationController>(form);
    home->tabBarItem().title = "home";
    auto bag = std::make_shared<NavigationController>(std::make_shared<ViewController>());
    bag->tabBarItem().title = "my bag";
    tabs = std::make_shared<TabBarController>();
    tabs->setViewControllers({home, bag});
    tabs->setBadgeValue(1, "2");
    window().setRootViewController(tabs);
    window().makeKeyAndVisible();
  }
  std::shared_ptr<FormScreen> form;
  std::shared_ptr<TabBarController> tabs;
};

TEST_F(ScreenTextTest, RendersTheWholeWindowAsText) {
  EXPECT_EQ(screenText(),
            "Tabs: tab.0 [home] | tab.1 my bag (2)\n"
            "== Sign In ==\n"
            "nav.right [Register]\n"
            "  please sign in:\n"
            "  field.email Email Address: [] (Enter Email Address)\n"
            "  Password:\n"
            "  field.1 Password: [] (Enter Password)\n"
            "  button.0 [Sign In]\n"
            "  Subscribe:\n"
            "  switch.0 [on]\n"
            "  check.0 [x] use my shipping address\n"
            "  radio.0 (*) Standard\n"
            "  radio.1 ( ) Premium\n"
            "  (image logo.png)\n"
            "  rating 3.5 of 5\n"
            "  -- more --\n"
            "  row.0.0 Stores >\n"
            "  row.0.1 Help | call us\n"
            "  footer.0.button.0 [Log out]\n");
}

TEST_F(ScreenTextTest, TypingShowsMaskedSecretsAndTheKeyboard) {
  ASSERT_TRUE(actor.type("email address:", "ann@example.com"));
  ASSERT_TRUE(actor.type("Enter Password", "s3cret"));  // by placeholder
  std::string text = screenText();
  EXPECT_NE(text.find("  field.email Email Address: [ann@example.com]\n"), std::string::npos);
  EXPECT_NE(text.find("  field.1 Password: [\u2022\u2022\u2022\u2022\u2022\u2022] (editing)\n"),
            std::string::npos);
  EXPECT_EQ(text.find("s3cret"), std::string::npos);
  EXPECT_NE(text.find("Keyboard: field.1 (return key Go)\n"), std::string::npos);
  ASSERT_TRUE(actor.returnKey("field.1"));
  EXPECT_EQ(form->signIns, (std::vector<std::string>{"ann@example.com;s3cret"}));
  EXPECT_TRUE(screenJson()["keyboard"].isAbsent());
  EXPECT_EQ(actor.type("Sign In", "x").message, "No element \"Sign In\" on the screen");
}

TEST_F(ScreenTextTest, IdsStayTheSameAcrossCapturesAndCarryState) {
  json::Value first = screenJson();
  ASSERT_TRUE(actor.tap("switch.0"));
  ASSERT_TRUE(actor.tap("use my shipping address"));
  ASSERT_TRUE(actor.tap("Premium"));
  json::Value second = screenJson();
  json::Value children = second["screen"]["children"];
  std::vector<std::string> ids;
  for (json::Value node : children.items()) {
    if (node["id"].isString()) ids.push_back(node["id"].str());
  }
  EXPECT_EQ(ids, (std::vector<std::string>{"field.email", "field.1", "button.0", "switch.0",
                                           "check.0", "radio.0", "radio.1"}));
  EXPECT_EQ(first["screen"]["children"].size(), children.size());
  EXPECT_FALSE(children[5]["on"].boolValue());
  EXPECT_FALSE(children[6]["checked"].boolValue());
  EXPECT_TRUE(children[8]["selected"].boolValue());  // the screen clears the other choice
  EXPECT_EQ(second["tabs"][1]["id"].str(), "tab.1");
  EXPECT_EQ(second["navigationBar"]["right"]["id"].str(), "nav.right");
  EXPECT_EQ(actor.tap("Secret").message, "No element \"Secret\" on the screen");
}

TEST_F(ScreenTextTest, SearchTypesIntoTheSearchBarAndPressesSearch) {
  EXPECT_EQ(actor.search("shoes").message, "There is no search bar on this screen");
  auto bar = form->view()->add<SearchBar>("Search");
  std::vector<std::string> calls;
  bar->textDidBeginEditing = [&](SearchBar& b) {
    b.text.clear();
    b.showsCancelButton = true;
    calls.push_back("begin");
  };
  bar->searchButtonClicked = [&](SearchBar& b) { calls.push_back("search " + b.text); };
  bar->cancelButtonClicked = [&](SearchBar& b) {
    b.showsCancelButton = false;
    b.resignFirstResponder();
    calls.push_back("cancel");
  };
  ASSERT_TRUE(actor.search("red shoes"));
  EXPECT_NE(screenText().find("  search search: [red shoes] (Search) (editing)  search.cancel "
                              "[Cancel]\n"),
            std::string::npos);
  ASSERT_TRUE(actor.tap("search.cancel"));
  EXPECT_EQ(calls, (std::vector<std::string>{"begin", "search red shoes", "cancel"}));
  EXPECT_FALSE(actor.tap("search.cancel"));
}

TEST_F(ScreenTextTest, DownloadedPicturesTravelWithTheTreeByNumber) {
  auto picture = form->view()->add<ImageView>();
  picture->setImageData("\x89PNG picture");
  ScreenTree tree = ScreenTree::capture(window());
  json::Value children = tree.json()["screen"]["children"];
  std::vector<json::Value> images;
  for (json::Value node : children.items()) {
    if (node["kind"].str() == "image") images.push_back(node);
  }
  ASSERT_EQ(images.size(), 2u);
  EXPECT_TRUE(images[0]["data"].isAbsent());  // a shipped resource has no bytes to carry
  EXPECT_EQ(images[1]["bytes"].intValue(), 12);
  ASSERT_EQ(tree.imageData().size(), 1u);
  EXPECT_EQ(*tree.imageData()[images[1]["data"].intValue()], "\x89PNG picture");
  picture->setImageData("");
  EXPECT_TRUE(ScreenTree::capture(window()).imageData().empty());
}

}  // namespace
}  // namespace kelda::ui::testing

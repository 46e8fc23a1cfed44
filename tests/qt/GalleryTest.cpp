// Every kind of element in the window: screens of the toolkit with one of each kind, drawn by
// the window (client inline, on virtual time) and used with synthesised clicks and keys; each
// step checks what is drawn and what the client's elements received.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "WindowHarness.hpp"
#include "support/ClientFixture.hpp"
#include "support/FakeMiddleware.hpp"
#include "support/TempDirectory.hpp"
#include "ui/ActivityIndicatorView.hpp"
#include "ui/BusyOverlay.hpp"
#include "ui/Button.hpp"
#include "ui/CheckBox.hpp"
#include "ui/DatePicker.hpp"
#include "ui/DropInBanner.hpp"
#include "ui/ImageView.hpp"
#include "ui/Label.hpp"
#include "ui/MapView.hpp"
#include "ui/NavigationController.hpp"
#include "ui/NetworkActivityIndicator.hpp"
#include "ui/PagedView.hpp"
#include "ui/PickerView.hpp"
#include "ui/RadioButton.hpp"
#include "ui/RatingView.hpp"
#include "ui/SearchBar.hpp"
#include "ui/Switch.hpp"
#include "ui/TabBarController.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewCell.hpp"
#include "ui/TextField.hpp"
#include "ui/WebView.hpp"
#include "ui/Window.hpp"

namespace kelda::qt::testing {
namespace {

using namespace kelda::ui;

// A picture with a gradient and stripes: many colours, nothing like a flat placeholder.
std::string stripedPng() {
  QImage image(90, 90, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient gradient(0, 0, 90, 90);
  gradient.setColorAt(0, Qt::darkBlue);
  gradient.setColorAt(1, Qt::yellow);
  painter.fillRect(image.rect(), gradient);
  for (int x = 0; x < 90; x += 18) painter.fillRect(x, 0, 6, 90, Qt::red);
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

// Everything a person types and taps on the form, as the client's elements got it.
struct FormLog {
  std::vector<std::string> events;
};

class FormScreen : public ViewController {
 public:
  explicit FormScreen(FormLog& log) : log_(log) { setTitle("Form"); }
  std::shared_ptr<TextField> email, password;
  std::shared_ptr<Switch> subscribe;
  std::shared_ptr<CheckBox> gift;
  std::shared_ptr<RadioButton> standard, express;

 protected:
  void viewDidLoad() override {
    navigationItem().rightBarButtonItem =
        std::make_shared<BarButtonItem>("Edit", [this] { log_.events.push_back("edit"); });
    auto v = view();
    v->add<Label>("Autumn collection", TextStyle::Title);
    auto sale = v->add<Label>("Sale ends Sunday", TextStyle::Small);
    sale->textColor = Color::rgb(1, 0, 0);
    v->add<ImageView>("home.png");
    v->add<ImageView>()->setImageData(stripedPng());
    v->add<RatingView>(3.5);
    v->add<ActivityIndicatorView>(ActivityIndicatorStyle::Gray)->startAnimating();
    v->add<Button>("Add to bag", [this](Button&) { log_.events.push_back("add"); });
    v->add<Button>("Sold out", [this](Button&) { log_.events.push_back("sold out"); })->enabled =
        false;
    v->add<Label>("Email Address:");
    email = v->add<TextField>("Enter Email Address");
    email->identifier = "email";
    email->returnKeyType = ReturnKeyType::Next;
    // The field refuses blanks, as the account forms do.
    email->shouldChangeText = [](TextField&, const std::string& text) {
      return text.find(' ') == std::string::npos;
    };
    v->add<Label>("Password:");
    password = v->add<TextField>("Enter Password");
    password->identifier = "password";
    password->secureTextEntry = true;
    password->returnKeyType = ReturnKeyType::Go;
    password->shouldReturn = [this](TextField& field) {
      log_.events.push_back("sign in " + email->text + " " + field.text);
      field.resignFirstResponder();
    };
    v->add<Label>("Subscribe:");
    subscribe = v->add<Switch>(false);
    gift = v->add<CheckBox>("This is a gift");
    standard = v->add<RadioButton>("Standard", true);
    express = v->add<RadioButton>("Express");
    auto choose = [this](RadioButton& chosen) {
      standard->selected = &chosen == standard.get();
      express->selected = &chosen == express.get();
    };
    standard->action = choose;
    express->action = choose;
  }

 private:
  FormLog& log_;
};

// Wheels take the drags that start on them, as on a phone: each screen fits without scrolling.
class WheelsScreen : public ViewController {
 public:
  WheelsScreen() { setTitle("Wheels"); }
  std::shared_ptr<PickerView> sizes;
  std::shared_ptr<PagedView> pages;

 protected:
  void viewDidLoad() override {
    auto v = view();
    v->add<SearchBar>("Search the store")->identifier = "store";
    pages = v->add<PagedView>();
    for (int n = 0; n < 3; ++n) {
      auto page = std::make_shared<View>();
      page->add<Label>("Page " + std::to_string(n + 1), TextStyle::Bold);
      pages->setPage(n, page);
    }
    sizes = v->add<PickerView>(
        std::vector<std::vector<std::string>>{{"S", "M", "L", "XL"}, {"Red", "Blue"}});
  }
};

class DatesScreen : public ViewController {
 public:
  DatesScreen() { setTitle("Dates"); }
  std::shared_ptr<DatePicker> date;

 protected:
  void viewDidLoad() override {
    view()->add<Label>("Date of birth:");
    date = view()->add<DatePicker>();
    date->setDate(*DatePicker::parse("2012-03-15"));
  }
};

class PlacesScreen : public ViewController {
 public:
  explicit PlacesScreen(std::string pageUrl) : pageUrl_(std::move(pageUrl)) { setTitle("Places"); }
  std::shared_ptr<MapView> map;

 protected:
  void viewDidLoad() override {
    auto v = view();
    v->add<WebView>()->loadRequest(pageUrl_);
    map = v->add<MapView>();
    map->setRegion({40.75, -73.99}, {0.1, 0.1});
    map->addPin({{40.75, -73.99}, "Kelda Midtown", "34th Street"});
    map->addPin({{40.78, -73.96}, "Kelda Uptown", "86th Street"});
  }

 private:
  std::string pageUrl_;
};

class TableScreen : public ViewController, public TableViewDataSource, public TableViewDelegate {
 public:
  TableScreen() { setTitle("Table"); }
  std::vector<std::string> lines{"Sweater", "Scarf", "Boots"};
  std::vector<std::string> taps;
  std::shared_ptr<TableView> table;

  int numberOfSectionsInTableView(TableView&) override { return 2; }
  int numberOfRowsInSection(TableView&, int section) override {
    return section == 0 ? static_cast<int>(lines.size()) : 2;
  }
  std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView&, IndexPath path) override {
    auto cell = std::make_shared<TableViewCell>(CellStyle::Subtitle);
    if (path.section == 0) {
      cell->textLabel().text = lines[static_cast<std::size_t>(path.row)];
      cell->detailTextLabel().text = "$" + std::to_string(20 + path.row) + ".00";
      cell->accessoryType = CellAccessory::DisclosureIndicator;
    } else {
      cell->textLabel().text = path.row == 0 ? "Stores" : "Help";
      cell->imageView().imageName = "more_btn.png";
      cell->accessoryType =
          path.row == 0 ? CellAccessory::DetailDisclosureButton : CellAccessory::Checkmark;
    }
    return cell;
  }
  std::string titleForHeaderInSection(TableView&, int section) override {
    return section == 0 ? "My Bag" : "More";
  }
  std::string titleForFooterInSection(TableView&, int section) override {
    return section == 0 ? std::to_string(lines.size()) + " items" : "";
  }
  bool canEditRowAtIndexPath(TableView&, IndexPath path) override { return path.section == 0; }
  void commitEditingStyle(TableView& tableView, EditingStyle, IndexPath path) override {
    lines.erase(lines.begin() + path.row);
    tableView.reloadData();
  }
  void didSelectRowAtIndexPath(TableView&, IndexPath path) override {
    taps.push_back("row " + std::to_string(path.section) + "." + std::to_string(path.row));
  }
  void accessoryButtonTappedForRowWithIndexPath(TableView&, IndexPath path) override {
    taps.push_back("detail " + std::to_string(path.section) + "." + std::to_string(path.row));
  }

 protected:
  void viewDidLoad() override {
    navigationItem().rightBarButtonItem =
        std::make_shared<BarButtonItem>("Edit", [this] { table->setEditing(!table->isEditing()); });
    table = view()->add<TableView>(TableViewStyle::Grouped);
    table->dataSource = this;
    table->delegate = this;
  }
};

class GalleryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server.answer("/service/shipping/index.jsp",
                  test::FakeAnswer{"<html><body><h1>Shipping</h1><p>Free over $50. See "
                                   "<a href=\"/service/returns/index.jsp\">returns</a>.</p></body>"
                                   "</html>",
                                   200, "text/html"});
    harness = std::make_unique<WindowHarness>(
        test::testOptions(server, home.path()), ClientHost::Drive::Inline,
        std::string("gallery-") + ::testing::UnitTest::GetInstance()->current_test_info()->name(),
        true);
    form = std::make_shared<FormScreen>(log);
    wheels = std::make_shared<WheelsScreen>();
    dates = std::make_shared<DatesScreen>();
    places = std::make_shared<PlacesScreen>(server.url("/service/shipping/index.jsp"));
    table = std::make_shared<TableScreen>();
    std::vector<std::shared_ptr<ViewController>> stacks;
    for (auto [screen, title] :
         {std::pair<std::shared_ptr<ViewController>, const char*>{form, "form"},
          {wheels, "wheels"},
          {dates, "dates"},
          {places, "places"},
          {table, "table"}}) {
      auto stack = std::make_shared<NavigationController>(screen);
      stack->tabBarItem().title = title;
      stack->tabBarItem().imageName = "home.png";
      stacks.push_back(stack);
    }
    tabs = std::make_shared<TabBarController>();
    tabs->setViewControllers(stacks);
    tabs->setBadgeValue(4, "3");
    Window::shared().setRootViewController(tabs);
    Window::shared().makeKeyAndVisible();
    ASSERT_TRUE(harness->start(false));
  }
  void TearDown() override { harness.reset(); }

  test::FakeMiddleware server;
  test::TempDirectory home;
  std::unique_ptr<WindowHarness> harness;
  FormLog log;
  std::shared_ptr<FormScreen> form;
  std::shared_ptr<WheelsScreen> wheels;
  std::shared_ptr<DatesScreen> dates;
  std::shared_ptr<PlacesScreen> places;
  std::shared_ptr<TableScreen> table;
  std::shared_ptr<TabBarController> tabs;
};

TEST_F(GalleryTest, FormElementsDrawAndAnswerClicksAndKeys) {
  WindowHarness& w = *harness;
  w.shot("form");
  for (const char* text :
       {"Form", "Edit", "Autumn collection", "Sale ends Sunday", "Add to bag", "Sold out",
        "Email Address:", "Enter Email Address", "form", "dates", "table", "3"}) {
    EXPECT_TRUE(w.showsText(text)) << text << " in " << w.visibleTexts().join(" | ").toStdString();
  }
  QList<QQuickItem*> pictures = w.picturesInSight();
  ASSERT_EQ(pictures.size(), 2);
  EXPECT_TRUE(w.pictureDrawn(pictures[0]));  // the shipped home.png
  EXPECT_TRUE(w.pictureDrawn(pictures[1]));  // downloaded bytes
  EXPECT_NE(w.shown("tab.4.badge"), nullptr);
  EXPECT_EQ(w.shown("tab.3.badge"), nullptr);

  w.click("button.1");  // disabled: nothing happens
  w.click("button.0");
  w.click("nav.right");
  EXPECT_EQ(log.events, (std::vector<std::string>{"add", "edit"}));

  w.click("field.email");
  ASSERT_TRUE(form->email->isFirstResponder());
  w.typeKeys("ann @kelda.test");  // the blank is refused by the field
  EXPECT_EQ(form->email->text, "ann@kelda.test");
  EXPECT_TRUE(w.showsText("ann@kelda.test")) << w.visibleTexts().join(" | ").toStdString();
  EXPECT_TRUE(w.showsText("Next"));  // the return key's name while editing
  w.scroll(2);
  w.click("field.password");
  w.typeKeys("s3cret");
  EXPECT_EQ(form->password->text, "s3cret");
  EXPECT_FALSE(w.showsText("s3cret"));
  EXPECT_TRUE(w.showsText("\u2022\u2022\u2022\u2022\u2022\u2022"));
  w.pressKey(Qt::Key_Return);
  EXPECT_EQ(log.events.back(), "sign in ann@kelda.test s3cret");
  EXPECT_FALSE(form->password->isFirstResponder());
  w.shot("form-typed");

  w.scroll(3);
  w.click("switch.0");
  w.click("check.0");
  w.click("radio.1");
  EXPECT_TRUE(form->subscribe->on);
  EXPECT_TRUE(form->gift->checked);
  EXPECT_TRUE(form->express->selected);
  EXPECT_FALSE(form->standard->selected);
  EXPECT_TRUE(w.showsText("ON"));
  w.shot("form-toggled");
}

TEST_F(GalleryTest, WheelsDatesPagesAndTheSearchBarTurnByClicks) {
  WindowHarness& w = *harness;
  w.click("tab.1");
  ASSERT_TRUE(w.showsText("Wheels"));
  w.shot("wheels");
  w.click("search.store");
  w.typeKeys("boots");
  EXPECT_EQ(std::static_pointer_cast<SearchBar>(Window::shared().firstResponder())->text, "boots");

  EXPECT_TRUE(w.showsText("Page 1"));
  w.click("pages.0.dot.2");
  EXPECT_EQ(wheels->pages->currentPage(), 2);
  EXPECT_TRUE(w.showsText("Page 3"));
  EXPECT_FALSE(w.showsText("Page 1"));

  w.click("picker.0.wheel.0.row.2");
  w.click("picker.0.wheel.1.row.1");
  EXPECT_EQ(wheels->sizes->selectedRowInComponent(0), 2);
  EXPECT_EQ(wheels->sizes->selectedRowInComponent(1), 1);
  w.shot("wheels-turned");

  w.click("tab.2");
  w.click("date.0.day.row.16");  // from the 15th to the 17th
  EXPECT_EQ(DatePicker::format(dates->date->date(), DatePickerMode::Date), "2012-03-17");
  w.click("date.0.month.row.1");   // February, just above March in the band
  w.click("date.0.year.row.101");  // the year wheel starts a century back: 1912 + 101
  EXPECT_EQ(DatePicker::format(dates->date->date(), DatePickerMode::Date), "2013-02-17");
  for (const char* text : {"February", "17", "2013"}) {
    EXPECT_NE(w.shownWithText("date.0.", text), nullptr) << text;
  }
  w.shot("dates-turned");
}

TEST_F(GalleryTest, WebPagesShowTheirTextAndOpenLinksAndMapsPlacePins) {
  WindowHarness& w = *harness;
  w.click("tab.3");
  w.shot("places");
  EXPECT_TRUE(w.showsText(QString::fromStdString(server.url("/service/shipping/index.jsp"))));
  QQuickItem* page = w.shown("webPage");
  ASSERT_NE(page, nullptr) << w.visibleTexts().join(" | ").toStdString();
  EXPECT_EQ(page->property("text").toString(),
            QString::fromStdString("<b>Shipping</b><br>Free over $50. See <a href=\"" +
                                   server.url("/service/returns/index.jsp") + "\">returns</a>."));
  w.clickLink(page, QString::fromStdString(server.url("/service/returns/index.jsp")));
  EXPECT_TRUE(
      w.showsText(QString::fromStdString("Opened: " + server.url("/service/returns/index.jsp"))));

  QQuickItem* pin = w.shown("pin.1");
  ASSERT_NE(pin, nullptr);
  EXPECT_LT(pin->mapToScene({0, 0}).x(), w.shown("pin.1")->mapToScene({0, 0}).x() + 1);
  EXPECT_GT(pin->mapToScene({0, 0}).x(), w.shown("pin.0")->mapToScene({0, 0}).x());
  EXPECT_LT(pin->mapToScene({0, 0}).y(), w.shown("pin.0")->mapToScene({0, 0}).y());
  w.click(pin);
  EXPECT_EQ(places->map->selectedPin(), 1);
  EXPECT_TRUE(w.showsText("Kelda Uptown"));
  EXPECT_TRUE(w.showsText("86th Street"));
  w.shot("places-pin");
}

TEST_F(GalleryTest, TablesShowSectionsRowsAndEditing) {
  WindowHarness& w = *harness;
  w.click("tab.4");
  w.shot("table");
  for (const char* text : {"My Bag", "Sweater", "$20.00", "3 items", "More", "Stores", "Help"}) {
    EXPECT_TRUE(w.showsText(text)) << text << " in " << w.visibleTexts().join(" | ").toStdString();
  }
  w.click("row.0.1");
  w.click("row.1.0.accessory");
  EXPECT_EQ(table->taps, (std::vector<std::string>{"row 0.1", "detail 1.0"}));
  EXPECT_NE(w.shown("row.0.1"), nullptr);

  w.click("nav.right");
  ASSERT_NE(w.shown("row.0.0.delete"), nullptr);
  EXPECT_EQ(w.shown("row.1.0.delete"), nullptr);
  w.click("row.0.1.delete");
  EXPECT_EQ(table->lines, (std::vector<std::string>{"Sweater", "Boots"}));
  EXPECT_TRUE(w.showsText("2 items"));
  EXPECT_FALSE(w.showsText("Scarf"));
  w.shot("table-edited");
}

TEST_F(GalleryTest, AlertsPickersBannersOverlaysAndActivityCoverTheScreen) {
  WindowHarness& w = *harness;
  std::vector<int> answers;
  showAlert(AlertView{
      "Remove item", "Remove Scarf from your bag?", {"Cancel", "Remove"}, 0, [&](int index) {
        answers.push_back(index);
      }});
  ASSERT_TRUE(w.settle());
  w.shot("alert");
  EXPECT_TRUE(w.showsText("Remove item"));
  EXPECT_TRUE(w.showsText("Remove Scarf from your bag?"));
  w.click("alert.button.1");
  EXPECT_EQ(answers, std::vector<int>{1});
  EXPECT_FALSE(w.showsText("Remove item"));

  auto picker =
      std::make_shared<PickerView>(std::vector<std::vector<std::string>>{{"1", "2", "3"}});
  picker->showsToolbar = true;
  std::vector<std::string> toolbar;
  picker->done = [&](PickerView& p) {
    toolbar.push_back("done " + p.titleForRow(p.selectedRowInComponent(0), 0));
    Window::shared().dismissPicker();
  };
  Window::shared().presentPicker(picker);
  ASSERT_TRUE(w.settle());
  // Rows are chosen by their title, not their place.
  w.click("picker.wheel.0.row.1");
  w.shot("picker");
  w.click("picker.done");
  EXPECT_EQ(toolbar, std::vector<std::string>{"done 2"});
  EXPECT_EQ(w.shown("pickerSheet"), nullptr);

  DropInBanner::show("Added to your bag");
  NetworkActivityIndicator::shared().setVisible(true);
  auto overlay = activityIndicatorViewWithFrame();
  Window::shared().addSubview(overlay);
  ASSERT_TRUE(w.settle());
  w.shot("busy");
  EXPECT_TRUE(w.showsText("Added to your bag"));
  EXPECT_NE(w.shown("networkActivity"), nullptr);
  ASSERT_NE(w.shown("busyOverlay"), nullptr);
  w.click(w.shown("button.0"));  // Add to bag, under the overlay: the overlay takes the touch
  EXPECT_TRUE(log.events.empty());
  overlay->removeFromSuperview();
  NetworkActivityIndicator::shared().setVisible(false);
  harness->host().advance(4);  // the banner folds away
  ASSERT_TRUE(w.settle());
  EXPECT_FALSE(w.showsText("Added to your bag"));
  EXPECT_EQ(w.shown("busyOverlay"), nullptr);
  EXPECT_EQ(w.shown("networkActivity"), nullptr);
}

}  // namespace
}  // namespace kelda::qt::testing

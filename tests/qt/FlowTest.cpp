// A shopper's way through the window, end to end: the kelda window over the client on its own
// thread on the real clock (as it ships), against a kelda-middleware started by the test, used
// only by synthesised clicks, wheel turns and keys at the drawn elements. After each step the
// test reads what is drawn: the texts in sight, the bag's badge, the pictures' pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "WindowHarness.hpp"
#include "support/ChildProcess.hpp"
#include "support/Programs.hpp"
#include "support/TempDirectory.hpp"

namespace kelda::qt::testing {
namespace {

class WindowFlow : public ::testing::Test {
 protected:
  // About 33 products per subcategory: the first Women list has a second page.
  static void SetUpTestSuite() {
    if (!test::missingPrograms().empty()) return;
    serverDir_ = std::make_unique<test::TempDirectory>();
    try {
      server_ =
          std::make_unique<test::Middleware>(serverDir_->path(), test::MiddlewareOptions{5000, 1});
    } catch (const std::exception& e) {
      startError_ = e.what();
    }
  }
  static void TearDownTestSuite() {
    server_.reset();
    serverDir_.reset();
  }
  void SetUp() override {
    if (const std::string missing = test::missingPrograms(); !missing.empty()) {
      GTEST_SKIP() << missing;
    }
    ASSERT_TRUE(server_) << startError_;
  }

  platform::Options clientOptions() const {
    platform::Options options = platform::Options::defaults();
    options.middleware = server_->address();
    options.ctrAddress = server_->ctrAddress();
    options.webHost = server_->address();
    options.mapsHost = server_->address();
    options.home = dir_.path() / "home";
    if (const char* resources = std::getenv("KELDA_RESOURCES")) options.resources = resources;
    return options;
  }

  static QString texts(const WindowHarness& w) { return w.visibleTexts().join(" | "); }

  static inline std::unique_ptr<test::TempDirectory> serverDir_;
  static inline std::unique_ptr<test::Middleware> server_;
  static inline std::string startError_;
  test::TempDirectory dir_;
};

// The product name a result row draws: its first wrapped line of plain text after the picture.
QString productNameOf(QQuickItem* row) {
  QList<QQuickItem*> items{row};
  for (int i = 0; i < items.size(); ++i) {
    for (QQuickItem* child : items[i]->childItems()) items.push_back(child);
  }
  for (QQuickItem* item : items) {
    if (item->inherits("QQuickText") && item->isVisible() &&
        item->property("wrapMode").toInt() != 0 && !item->property("text").toString().isEmpty()) {
      return item->property("text").toString();
    }
  }
  return {};
}

TEST_F(WindowFlow, BrowseScrollLoadMoreSearchAndOpenAResult) {
  WindowHarness w(clientOptions(), ClientHost::Drive::OwnThread, "flow");
  ASSERT_TRUE(w.start()) << "the window did not settle after the launch";

  // Launch: the first launch asks about a profile over the home screen.
  w.shot("launch");
  EXPECT_TRUE(w.showsText("Set up mobile profile")) << texts(w).toStdString();
  for (const char* tab : {"home", "search", "my bag", "offers", "more"}) {
    EXPECT_TRUE(w.showsText(tab)) << tab;
  }
  QQuickItem* badge = w.shown("tab.2.badge");
  ASSERT_NE(badge, nullptr) << "the bag's badge is not drawn";
  EXPECT_TRUE(w.showsText("0"));

  w.click(w.shownWithText("alert.button.", "Later"));
  w.shot("home");
  EXPECT_FALSE(w.showsText("Set up mobile profile"));
  for (const char* department : {"For the Home", "Women", "Men", "Shoes"}) {
    EXPECT_TRUE(w.showsText(department)) << department << ": " << texts(w).toStdString();
  }

  // Browse a department: its picker, then its first list.
  QQuickItem* women = w.shownWithText("button.", "Women");
  ASSERT_NE(women, nullptr) << texts(w).toStdString();
  w.click(women);
  w.shot("browse");
  EXPECT_TRUE(w.showsText("Women")) << texts(w).toStdString();
  EXPECT_TRUE(w.showsText("Dresses"));
  EXPECT_TRUE(w.showsText("Any"));
  QQuickItem* go = w.shownWithText("button.", "Go");
  ASSERT_NE(go, nullptr) << texts(w).toStdString();
  w.click(go);
  w.shot("results");
  EXPECT_TRUE(w.showsText("Dresses")) << texts(w).toStdString();
  QQuickItem* first = w.shown("row.0.0");
  ASSERT_NE(first, nullptr) << texts(w).toStdString();
  const QString firstName = productNameOf(first);
  ASSERT_FALSE(firstName.isEmpty());
  EXPECT_TRUE(w.showsText(firstName));
  const QList<QQuickItem*> pictures = w.picturesInSight();
  ASSERT_GE(pictures.size(), 2);
  for (QQuickItem* picture : pictures) EXPECT_TRUE(w.pictureDrawn(picture));

  // Scroll: the first rows leave, later ones come into sight with their pictures.
  w.scroll(3);
  w.shot("scrolled");
  EXPECT_EQ(w.shown("row.0.0"), nullptr) << texts(w).toStdString();
  EXPECT_FALSE(w.showsText(firstName));
  ASSERT_FALSE(w.picturesInSight().isEmpty());
  EXPECT_TRUE(w.pictureDrawn(w.picturesInSight().back()));

  // Load more at the end of the list.
  for (int turns = 0; turns < 20 && w.shown("button.loadMore") == nullptr; ++turns) w.scroll(3);
  w.shot("list-end");
  ASSERT_NE(w.shown("button.loadMore"), nullptr) << texts(w).toStdString();
  EXPECT_TRUE(w.showsText("load 20 More"));
  int found = 0;
  for (const QString& text : w.visibleTexts()) {
    if (text.endsWith(" Results Found")) found = text.section(' ', 0, 0).toInt();
  }
  ASSERT_GT(found, 20) << texts(w).toStdString();
  ASSERT_LE(found, 40) << "the list should end after one more page";
  EXPECT_EQ(w.shown("row.20.0"), nullptr);
  w.click("button.loadMore");
  // A row may come into sight by its edge first: scroll on until its name is drawn in sight.
  auto laterNameInSight = [&w] {
    QQuickItem* row = w.shown("row.25.0");
    return row != nullptr && w.showsText(productNameOf(row));
  };
  for (int turns = 0; turns < 20 && !laterNameInSight(); ++turns) w.scroll(1);
  w.shot("more");
  QQuickItem* later = w.shown("row.25.0");
  ASSERT_NE(later, nullptr) << texts(w).toStdString();
  EXPECT_TRUE(w.showsText(productNameOf(later))) << texts(w).toStdString();
  const QString last = QString("row.%1.0").arg(found - 1);
  EXPECT_GE(w.model().itemList().indexOf(last), 0) << last.toStdString();
  EXPECT_EQ(w.model().itemList().indexOf("button.loadMore"), -1);  // every product is shown

  // Search from the search tab, typing as a person types.
  w.click("tab.1");
  w.shot("search-tab");
  EXPECT_TRUE(w.showsText("Search")) << texts(w).toStdString();
  w.click("search");
  w.typeKeys("dress");
  w.pressKey(Qt::Key_Return);
  w.shot("search-results");
  EXPECT_TRUE(w.showsText("Search for dre...")) << texts(w).toStdString();
  QQuickItem* hit = w.shown("row.0.0");
  ASSERT_NE(hit, nullptr) << texts(w).toStdString();
  const QString hitName = productNameOf(hit);
  EXPECT_TRUE(hitName.contains("Dress")) << hitName.toStdString();
  ASSERT_FALSE(w.picturesInSight().isEmpty());
  EXPECT_TRUE(w.pictureDrawn(w.picturesInSight().front()));

  // Open a result: the product's request goes out behind the busy overlay; afterwards the
  // product's name and picture are drawn.
  w.click(hit);
  w.shot("result-opened");
  EXPECT_EQ(w.shown("busyOverlay"), nullptr);
  EXPECT_TRUE(w.showsText(hitName)) << texts(w).toStdString();
  ASSERT_FALSE(w.picturesInSight().isEmpty());
  EXPECT_TRUE(w.pictureDrawn(w.picturesInSight().front()));
}

// kelda --screenshots DIR --script FILE: a kelda-cli script in the window, one picture a command.
TEST_F(WindowFlow, ScreenshotsRunAScriptAndSaveAPicturePerCommand) {
  const std::filesystem::path shots = dir_.path() / "shots";
  int runs = 0;
  auto run = [&](const std::string& script) {
    const std::filesystem::path file = dir_.path() / "script.txt";
    std::ofstream(file) << script;
    test::ChildSpec spec;
    spec.argv = {(test::binDirectory() / "kelda").string(),
                 "--server",
                 server_->address(),
                 "--home",
                 (dir_.path() / ("home-" + std::to_string(++runs))).string(),
                 "--screenshots",
                 shots.string(),
                 "--script",
                 file.string()};
    spec.env = {{"KELDA_CTR_ADDRESS", server_->ctrAddress()},
                {"KELDA_WEB_HOST", server_->address()},
                {"KELDA_MAPS_HOST", server_->address()}};
    test::ChildProcess child(spec);
    return child.finish(test::Clock::now() + std::chrono::seconds(120));
  };
  const test::ChildOutcome done =
      run("# the home screen, then a department\nalert Later\ntap Women\n");
  ASSERT_EQ(done.exitStatus, 0) << done.err;
  EXPECT_EQ(done.out, (shots / "01-alert-later.png").string() + "\n" +
                          (shots / "02-tap-women.png").string() + "\n");
  for (const char* name : {"00-launch.png", "01-alert-later.png", "02-tap-women.png"}) {
    const QImage picture(QString::fromStdString((shots / name).string()));
    EXPECT_EQ(picture.size(), QSize(640, 960)) << name;
  }
  // The home screen and the department's picker differ where the screen is drawn.
  EXPECT_NE(QImage(QString::fromStdString((shots / "01-alert-later.png").string())),
            QImage(QString::fromStdString((shots / "02-tap-women.png").string())));

  const test::ChildOutcome refused = run("alert Later\ntap Nowhere\ntap Women\n");
  EXPECT_EQ(refused.exitStatus, 2);
  EXPECT_NE(refused.err.find("kelda: tap Nowhere: No element \"Nowhere\" on the screen\n"),
            std::string::npos)
      << refused.err;
}

}  // namespace
}  // namespace kelda::qt::testing

#include "WindowHarness.hpp"

#include <QDeadlineTimer>
#include <QQuickView>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kelda::qt::testing {
namespace {

std::unique_ptr<QGuiApplication>& applicationHolder() {
  static std::unique_ptr<QGuiApplication> application;
  return application;
}

// Destroys the application after the last test (what Qt made for it goes with it).
class QtEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { applicationHolder().reset(); }
};
::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

std::filesystem::path screenshotsRoot() {
  const char* root = std::getenv("KELDA_SCREENSHOTS");
  return root != nullptr ? std::filesystem::path(root) : std::filesystem::path("qt-screenshots");
}

void collect(QQuickItem* item, QList<QQuickItem*>& out) {
  out.push_back(item);
  for (QQuickItem* child : item->childItems()) collect(child, out);
}

QString textOf(QQuickItem* item) {
  if (item->inherits("QQuickText")) return item->property("text").toString();
  if (item->inherits("QQuickTextInput")) return item->property("displayText").toString();
  return {};
}

// False for an item inside a list's row that the list does not show (a row it keeps ready
// off screen, or one still being made).
bool placedByItsList(QQuickItem* item) {
  for (QQuickItem* up = item; up != nullptr; up = up->parentItem()) {
    QQuickItem* content = up->parentItem();
    QQuickItem* list = content != nullptr ? content->parentItem() : nullptr;
    if (list == nullptr || !list->inherits("QQuickListView")) continue;
    const QPointF centre = up->mapToItem(content, QPointF(up->width() / 2, up->height() / 2));
    QQuickItem* shown = nullptr;
    QMetaObject::invokeMethod(list, "itemAt", Q_RETURN_ARG(QQuickItem*, shown),
                              Q_ARG(qreal, centre.x()), Q_ARG(qreal, centre.y()));
    if (shown != up) return false;
  }
  return true;
}

}  // namespace

QGuiApplication& qtApplication() {
  static int argc = 3;
  static char program[] = "qt_window_tests";
  static char platformFlag[] = "-platform";
  static char platform[] = "offscreen";
  static char* argv[] = {program, platformFlag, platform, nullptr};
  auto& application = applicationHolder();
  if (!application) application = std::make_unique<QGuiApplication>(argc, argv);
  return *application;
}

WindowHarness::WindowHarness(platform::Options options, ClientHost::Drive drive, std::string name,
                             bool virtualClock)
    : shots_(screenshotsRoot() / name) {
  qtApplication();
  std::error_code ignored;
  std::filesystem::remove_all(shots_, ignored);
  std::filesystem::create_directories(shots_, ignored);
  const std::filesystem::path resources = options.resources;
  host_ = std::make_unique<ClientHost>(std::move(options), drive, virtualClock);
  window_ = std::make_unique<KeldaWindow>(
      *host_, resources, KeldaWindow::Settings{.animated = false, .desktopOpener = false});
  window_->view().show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&window_->view()));
}

WindowHarness::~WindowHarness() {
  window_.reset();
  host_.reset();
}

bool WindowHarness::start(bool launchClient) {
  host_->start(window_->frameSink(), launchClient);
  return settle();
}

bool WindowHarness::settle(std::chrono::seconds limit) {
  QDeadlineTimer deadline(limit);
  auto caughtUp = [&] {
    return model().actionsDone() >= host_->actionsSent() && model().settled();
  };
  for (;;) {
    host_->settle();  // runs the client here when it runs inline; nothing otherwise
    QCoreApplication::processEvents();
    if (caughtUp()) break;
    if (deadline.hasExpired()) return false;
    QSignalSpy frames(&model(), &ScreenModel::frameApplied);
    frames.wait(static_cast<int>(std::min<qint64>(deadline.remainingTime(), 1000)));
  }
  // Drawing lays the lists out and decodes the pictures in sight.
  lastGrab_ = window_->grab();
  return true;
}

bool WindowHarness::inSight(QQuickItem* item) const {
  if (item == nullptr || !item->isVisible() || item->width() <= 0 || item->height() <= 0) {
    return false;
  }
  QRectF area = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
  area &= QRectF(QPointF(0, 0), window_->view().size());
  for (QQuickItem* up = item; up != nullptr; up = up->parentItem()) {
    if (up->opacity() <= 0) return false;
    if (up->clip()) area &= up->mapRectToScene(QRectF(0, 0, up->width(), up->height()));
  }
  return area.width() >= 1 && area.height() >= 1 && placedByItsList(item);
}

QQuickItem* WindowHarness::shown(const QString& id) const {
  QList<QQuickItem*> items;
  collect(window_->view().rootObject(), items);
  for (QQuickItem* item : items) {
    if (item->objectName() == id && inSight(item)) return item;
  }
  return nullptr;
}

QQuickItem* WindowHarness::shownWithText(const QString& idPrefix, const QString& text) const {
  QList<QQuickItem*> items;
  collect(window_->view().rootObject(), items);
  for (QQuickItem* item : items) {
    if (!item->objectName().startsWith(idPrefix) || !inSight(item)) continue;
    QList<QQuickItem*> inside;
    collect(item, inside);
    for (QQuickItem* part : inside) {
      if (textOf(part) == text && inSight(part)) return item;
    }
  }
  return nullptr;
}

QQuickItem* WindowHarness::shownOrFail(const QString& id) const {
  QQuickItem* item = shown(id);
  EXPECT_NE(item, nullptr) << id.toStdString() << " is not drawn in sight; texts in sight: "
                           << visibleTexts().join(" | ").toStdString();
  return item;
}

void WindowHarness::click(QQuickItem* item) {
  if (!inSight(item)) {
    ADD_FAILURE() << "clicked an element that is not in sight";
    return;
  }
  QRectF area = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
  for (QQuickItem* up = item; up != nullptr; up = up->parentItem()) {
    if (up->clip()) area &= up->mapRectToScene(QRectF(0, 0, up->width(), up->height()));
  }
  QTest::mouseClick(&window_->view(), Qt::LeftButton, Qt::NoModifier, area.center().toPoint());
  EXPECT_TRUE(settle()) << "the client did not settle after the click";
}

void WindowHarness::typeKeys(const QString& text) {
  for (QChar key : text) {
    QTest::keyClick(&window_->view(), key.toLatin1());
    EXPECT_TRUE(settle()) << "the client did not settle after typing";
  }
}

void WindowHarness::clickLink(QQuickItem* text, const QString& url) {
  ASSERT_TRUE(inSight(text));
  for (qreal y = 2; y < text->height(); y += 4) {
    for (qreal x = 2; x < text->width(); x += 4) {
      QString link;
      QMetaObject::invokeMethod(text, "linkAt", Q_RETURN_ARG(QString, link), Q_ARG(qreal, x),
                                Q_ARG(qreal, y));
      if (link != url) continue;
      QTest::mouseClick(&window_->view(), Qt::LeftButton, Qt::NoModifier,
                        text->mapToScene(QPointF(x, y)).toPoint());
      EXPECT_TRUE(settle()) << "the client did not settle after the click";
      return;
    }
  }
  ADD_FAILURE() << "no link to " << url.toStdString() << " is drawn";
}

void WindowHarness::pressKey(Qt::Key key) {
  QTest::keyClick(&window_->view(), key);
  EXPECT_TRUE(settle()) << "the client did not settle after the key";
}

void WindowHarness::scroll(int notches) {
  QQuickItem* list = shownOrFail("screenList");
  if (list == nullptr) return;
  const QRectF area = list->mapRectToScene(QRectF(0, 0, list->width(), list->height()));
  // A finger's drag up the list (down for negative notches), at most a good part of the list's
  // height at a time; it rests before it lifts, so the list does not fling on.
  const qreal longest = area.height() * 0.6;
  qreal left = notches * 120.0;
  while (std::abs(left) >= 1) {
    const qreal distance = std::clamp(left, -longest, longest);
    left -= distance;
    const QPointF from(area.center().x(), area.center().y() + distance / 2);
    // The delays only move the events' time stamps on: nothing waits.
    QTest::mousePress(&window_->view(), Qt::LeftButton, Qt::NoModifier, from.toPoint(), 1000);
    constexpr int kSteps = 12;
    for (int step = 1; step <= kSteps; ++step) {
      QTest::mouseMove(&window_->view(), (from - QPointF(0, distance * step / kSteps)).toPoint(),
                       30);
    }
    QTest::mouseRelease(&window_->view(), Qt::LeftButton, Qt::NoModifier,
                        (from - QPointF(0, distance)).toPoint(), 800);
  }
  EXPECT_TRUE(settle());
}

QStringList WindowHarness::visibleTexts() const {
  QList<QQuickItem*> items;
  collect(window_->view().rootObject(), items);
  struct Placed {
    QPointF at;
    QString text;
  };
  std::vector<Placed> placed;
  for (QQuickItem* item : items) {
    const QString text = textOf(item);
    if (text.isEmpty() || !inSight(item)) continue;
    placed.push_back({item->mapToScene(QPointF(0, 0)), text});
  }
  std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
    return a.at.y() < b.at.y() - 0.5 ||
           (std::abs(a.at.y() - b.at.y()) <= 0.5 && a.at.x() < b.at.x());
  });
  QStringList texts;
  for (const Placed& p : placed) texts.push_back(p.text);
  return texts;
}

bool WindowHarness::showsText(const QString& text) const {
  return visibleTexts().contains(text);
}

QList<QQuickItem*> WindowHarness::picturesInSight() const {
  QList<QQuickItem*> items;
  collect(window_->view().rootObject(), items);
  QList<QQuickItem*> pictures;
  for (QQuickItem* item : items) {
    if (item->objectName() == "picture" && inSight(item)) pictures.push_back(item);
  }
  return pictures;
}

bool WindowHarness::pictureDrawn(QQuickItem* image) {
  if (!inSight(image) || image->property("status").toInt() != 1 /* Image.Ready */) return false;
  const QImage drawn = window_->grab();
  const QRect area = image->mapRectToScene(QRectF(0, 0, image->width(), image->height()))
                         .toAlignedRect()
                         .intersected(drawn.rect());
  QSet<QRgb> colours;
  int placeholder = 0;
  int samples = 0;
  for (int y = area.top(); y <= area.bottom(); y += 2) {
    for (int x = area.left(); x <= area.right(); x += 2) {
      const QRgb pixel = drawn.pixel(x, y);
      colours.insert(pixel);
      placeholder += qRed(pixel) == 0xe4 && qGreen(pixel) == 0xe4 && qBlue(pixel) == 0xe4;
      ++samples;
    }
  }
  return samples > 0 && colours.size() >= 8 && placeholder * 2 < samples;
}

QImage WindowHarness::shot(const std::string& step) {
  QCoreApplication::processEvents();
  lastGrab_ = window_->grab();
  char number[8];
  std::snprintf(number, sizeof number, "%02d-", ++shotNumber_);
  const std::filesystem::path file = shots_ / (number + step + ".png");
  EXPECT_TRUE(lastGrab_.save(QString::fromStdString(file.string()), "PNG")) << file;
  return lastGrab_;
}

}  // namespace kelda::qt::testing

// WindowHarness: the kelda window as a person uses it, for tests. It runs the window under Qt's
// offscreen platform over a ClientHost (the client on its own thread on the real clock, as the
// shipped window runs it, or inline), clicks and types at it with synthesised mouse and key
// events at the positions of the drawn elements, and reads back what is drawn: the texts in
// sight and the pixels of pictures. After each event it waits, bounded, until the client has
// carried out every action and settled and the window has drawn that frame. Pictures of the
// window are kept under the build folder (KELDA_SCREENSHOTS/<name>/NN-step.png).
//
// One QGuiApplication serves the whole test program (qtApplication()). Test thread only.
#pragma once

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QQuickItem>
#include <QString>
#include <QStringList>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "ClientHost.hpp"
#include "KeldaWindow.hpp"

namespace kelda::qt::testing {

// The test program's application object (made on first use, on the offscreen platform).
QGuiApplication& qtApplication();

class WindowHarness {
 public:
  WindowHarness(platform::Options options, ClientHost::Drive drive, std::string name,
                bool virtualClock = false);
  ~WindowHarness();

  ClientHost& host() { return *host_; }
  KeldaWindow& window() { return *window_; }
  ScreenModel& model() { return window_->model(); }

  // Starts the client (launching it, or showing what the test put in the window) and waits
  // until it has settled. False when it did not within the limit.
  bool start(bool launchClient = true);
  // Waits until every action sent has been carried out, the client has settled and the window
  // has drawn it. False when that did not happen within `limit`.
  bool settle(std::chrono::seconds limit = std::chrono::seconds(90));

  // The drawn item with this object name (an element id) that is in sight, else null.
  QQuickItem* shown(const QString& id) const;
  // The drawn element (an item named by an element id starting with `idPrefix`) that shows
  // exactly `text`, in sight; null when none.
  QQuickItem* shownWithText(const QString& idPrefix, const QString& text) const;
  // Clicks the centre of `item` and settles. Fails the test when the item is not in sight.
  void click(QQuickItem* item);
  void click(const QString& id) { click(shownOrFail(id)); }
  // Clicks the link to `url` where a text item draws it and settles; fails the test when the
  // text draws no such link.
  void clickLink(QQuickItem* text, const QString& url);
  // Types text into the focused input key by key, at a person's pace (the client settles
  // after each key); presses one key.
  void typeKeys(const QString& text);
  void pressKey(Qt::Key key);
  // Drags the screen's list up by `notches` times 120 pixels (negative: down), as a finger
  // does, without a fling.
  void scroll(int notches);

  // The texts drawn in sight, top to bottom.
  QStringList visibleTexts() const;
  // True when a text equal to `text` is drawn in sight.
  bool showsText(const QString& text) const;
  // True when the picture item (an Image) is in sight and its drawn pixels are a picture:
  // several colours, not the flat grey of the placeholder.
  bool pictureDrawn(QQuickItem* image);
  // Every Image named "picture" in sight.
  QList<QQuickItem*> picturesInSight() const;

  // Draws the window and keeps the picture as NN-step.png; answers it.
  QImage shot(const std::string& step);

 private:
  QQuickItem* shownOrFail(const QString& id) const;
  bool inSight(QQuickItem* item) const;

  std::unique_ptr<ClientHost> host_;
  std::unique_ptr<KeldaWindow> window_;
  std::filesystem::path shots_;
  int shotNumber_ = 0;
  QImage lastGrab_;
};

}  // namespace kelda::qt::testing

// KeldaWindow: the phone-sized window. A Qt Quick view of 320 by 480 points drawn at twice that
// size (640 by 960 pixels) by Qt Quick's software renderer, which needs no graphics driver and
// draws the same on every machine; its QML (qrc:/kelda/qml/Main.qml) draws the ScreenModel
// ("kelda" in QML) and its pictures come from the ImageShelf ("image://kelda/...").
//
// Made on the window's thread after the QGuiApplication, with a ClientHost that outlives it.
// frameSink() is what the host sends its frames to: they are shown on the window's thread.
#pragma once

#include <QImage>
#include <QQuickView>
#include <filesystem>
#include <memory>
#include <mutex>

#include "ClientHost.hpp"
#include "ImageShelf.hpp"
#include "ScreenModel.hpp"

namespace kelda::qt {

class KeldaWindow {
 public:
  struct Settings {
    // Transitions and banners animate (off for scripted screenshots and tests).
    bool animated = true;
    // Outside addresses go to the desktop's opener (else they are shown in the window).
    bool desktopOpener = true;
  };
  static constexpr int kPointWidth = 320;
  static constexpr int kPointHeight = 480;
  static constexpr int kScale = 2;

  // Loads the QML; throws std::runtime_error with Qt's messages when it does not load.
  KeldaWindow(ClientHost& host, std::filesystem::path resources, Settings settings);
  ~KeldaWindow();
  KeldaWindow(const KeldaWindow&) = delete;
  KeldaWindow& operator=(const KeldaWindow&) = delete;

  ClientHost::FrameSink frameSink();
  QQuickView& view() { return *view_; }
  ScreenModel& model() { return *model_; }
  // Draws the window now and answers the picture (640 by 960).
  QImage grab();

 private:
  // The model that frames go to, cleared when the window closes (frames come from the client's
  // thread).
  struct Gate {
    std::mutex mutex;
    ScreenModel* model = nullptr;
  };
  std::shared_ptr<Gate> gate_ = std::make_shared<Gate>();
  std::shared_ptr<ImageShelf> shelf_;
  std::unique_ptr<ScreenModel> model_;
  std::unique_ptr<QQuickView> view_;
};

}  // namespace kelda::qt

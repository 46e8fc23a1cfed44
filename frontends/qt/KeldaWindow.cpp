#include "KeldaWindow.hpp"

#include "DesktopAddresses.hpp"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QMetaObject>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlError>
#include <QSGRendererInterface>
#include <QUrl>
#include <stdexcept>

namespace kelda::qt {

KeldaWindow::KeldaWindow(ClientHost& host, std::filesystem::path resources, Settings settings)
    : shelf_(std::make_shared<ImageShelf>(std::move(resources))) {
  QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
  model_ = std::make_unique<ScreenModel>(host, shelf_, settings.animated);
  gate_->model = model_.get();
  if (settings.desktopOpener) {
    model_->setOpener([](const QString& url) {
      return desktopMayOpen(url) && QDesktopServices::openUrl(QUrl(url));
    });
  }
  view_ = std::make_unique<QQuickView>();
  view_->setTitle(QStringLiteral("Kelda"));
  view_->setColor(Qt::black);
  view_->engine()->addImageProvider(QStringLiteral("kelda"), new ImageProvider(shelf_));
  view_->rootContext()->setContextProperty(QStringLiteral("kelda"), model_.get());
  view_->setResizeMode(QQuickView::SizeRootObjectToView);
  view_->resize(kPointWidth * kScale, kPointHeight * kScale);
  view_->setSource(QUrl(QStringLiteral("qrc:/kelda/qml/Main.qml")));
  if (view_->status() != QQuickView::Ready) {
    QString messages;
    for (const QQmlError& error : view_->errors()) messages += error.toString() + "\n";
    throw std::runtime_error("the window's QML did not load:\n" + messages.toStdString());
  }
  model_->setSnapshot([this] { return view_->grabWindow(); });
}

KeldaWindow::~KeldaWindow() {
  {
    // Frames still on their way from the client's thread are dropped from now on.
    std::lock_guard lock(gate_->mutex);
    gate_->model = nullptr;
  }
  // The view's items read the model until they are gone.
  view_.reset();
}

ClientHost::FrameSink KeldaWindow::frameSink() {
  return [gate = gate_](FramePtr frame) {
    std::lock_guard lock(gate->mutex);
    if (gate->model == nullptr) return;
    // Shown at once when the client runs on the window's thread, else queued to it (a queued
    // call dies with the model).
    ScreenModel* model = gate->model;
    QMetaObject::invokeMethod(
        model, [model, frame] { model->apply(*frame); }, Qt::AutoConnection);
  };
}

QImage KeldaWindow::grab() {
  return view_->grabWindow();
}

}  // namespace kelda::qt

// ScreenModel: the screen tree as the window's QML reads it (the context object "kelda"). Each
// frame from the client updates the parts of the window it changed: tab bar, navigation bar,
// the screen's items (ItemListModel), views over the window, banner, busy overlay, keyboard
// focus, presented picker, alert and network activity. What a person does in the window comes
// back as actions on element ids (tap, type, return, pick, back, page), which the client
// carries out with ui::Actor: no screen's logic lives here.
//
// Outside addresses the client opened go to the desktop's opener when there is one, and are
// shown in the window otherwise. Transitions play as short animations over a picture of the
// window taken before the frame changed it (when animations are on).
//
// Lives on the window's thread.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <functional>
#include <memory>

#include "ClientHost.hpp"
#include "Frame.hpp"
#include "ImageShelf.hpp"
#include "ItemListModel.hpp"

namespace kelda::qt {

class ScreenModel : public QObject {
  Q_OBJECT
  Q_PROPERTY(QVariantList tabs READ tabs NOTIFY tabsChanged)
  Q_PROPERTY(QVariantMap navigationBar READ navigationBar NOTIFY navigationBarChanged)
  Q_PROPERTY(QString title READ title NOTIFY titleChanged)
  Q_PROPERTY(QObject* items READ items CONSTANT)
  Q_PROPERTY(QVariantList views READ views NOTIFY viewsChanged)
  Q_PROPERTY(QVariantMap banner READ banner NOTIFY bannerChanged)
  Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
  Q_PROPERTY(QString keyboardField READ keyboardField NOTIFY keyboardChanged)
  Q_PROPERTY(QString returnKeyName READ returnKeyName NOTIFY keyboardChanged)
  Q_PROPERTY(QVariantMap picker READ picker NOTIFY pickerChanged)
  Q_PROPERTY(QVariantMap alert READ alert NOTIFY alertChanged)
  Q_PROPERTY(bool networkActivity READ networkActivity NOTIFY networkActivityChanged)
  Q_PROPERTY(QStringList notices READ notices NOTIFY noticesChanged)
  Q_PROPERTY(int screenNumber READ screenNumber NOTIFY screenNumberChanged)
  Q_PROPERTY(bool animated READ animated CONSTANT)
  Q_PROPERTY(double actionsDone READ actionsDoneNumber NOTIFY progressChanged)

 public:
  // Hands an outside address to the desktop; false when nobody took it.
  using Opener = std::function<bool(const QString& url)>;
  // A picture of the window as it is drawn now (for transitions).
  using Snapshot = std::function<QImage()>;

  ScreenModel(ClientHost& host, std::shared_ptr<ImageShelf> shelf, bool animated,
              QObject* parent = nullptr);

  void setOpener(Opener opener) { opener_ = std::move(opener); }
  void setSnapshot(Snapshot snapshot) { snapshot_ = std::move(snapshot); }

  // Shows a frame of the client's window.
  void apply(const Frame& frame);

  QVariantList tabs() const { return tabs_; }
  QVariantMap navigationBar() const { return navigationBar_; }
  QString title() const { return title_; }
  QObject* items() { return &items_; }
  ItemListModel& itemList() { return items_; }
  QVariantList views() const { return views_; }
  QVariantMap banner() const { return banner_; }
  bool busy() const { return busy_; }
  QString keyboardField() const { return keyboardField_; }
  QString returnKeyName() const { return returnKey_; }
  QVariantMap picker() const { return picker_; }
  QVariantMap alert() const { return alert_; }
  bool networkActivity() const { return networkActivity_; }
  QStringList notices() const { return notices_; }
  int screenNumber() const { return screenNumber_; }
  bool animated() const { return animated_; }
  // How far the shown frame had got with the person's actions.
  std::uint64_t actionsDone() const { return actionsDone_; }
  bool settled() const { return settled_; }
  double actionsDoneNumber() const { return static_cast<double>(actionsDone_); }

  // What a person does, by element id. type() answers the action's number: the shown frame
  // has carried it out once actionsDone reaches it.
  Q_INVOKABLE void tap(const QString& id);
  Q_INVOKABLE double type(const QString& id, const QString& text);
  Q_INVOKABLE void returnKey(const QString& id);
  Q_INVOKABLE void pick(const QString& id, const QStringList& rows);
  Q_INVOKABLE void back();
  Q_INVOKABLE void page(int index);
  // A link of a web page: opened as the client opens outside addresses.
  Q_INVOKABLE void openLink(const QString& url);
  Q_INVOKABLE void dismissNotice(int index);

 signals:
  void tabsChanged();
  void navigationBarChanged();
  void titleChanged();
  void viewsChanged();
  void bannerChanged();
  void busyChanged();
  void keyboardChanged();
  void pickerChanged();
  void alertChanged();
  void networkActivityChanged();
  void noticesChanged();
  void screenNumberChanged();
  void progressChanged();
  // A transition starts: `name` as the client named it ("curlUp", "fadeIn", ...), `shot` the
  // picture of the window before it.
  void transition(const QString& name, double seconds, const QString& shot);
  // A frame was shown.
  void frameApplied(quint64 actionsDone, bool settled);

 private:
  void playTransitions(const std::vector<std::string>& events);
  void showOpened(const std::vector<std::string>& opened);
  void applyChrome(const json::Value& tree, const MappingContext& context);

  ClientHost& host_;
  std::shared_ptr<ImageShelf> shelf_;
  bool animated_;
  Opener opener_;
  Snapshot snapshot_;
  ItemListModel items_;

  QVariantList tabs_;
  QVariantMap navigationBar_;
  QString title_;
  QString screenKey_;
  QVariantList views_;
  QVariantMap banner_;
  bool busy_ = false;
  QString keyboardField_;
  QString returnKey_;
  QVariantMap picker_;
  QVariantMap alert_;
  bool networkActivity_ = false;
  QStringList notices_;
  int screenNumber_ = 0;
  std::uint64_t actionsDone_ = 0;
  bool settled_ = false;
};

}  // namespace kelda::qt

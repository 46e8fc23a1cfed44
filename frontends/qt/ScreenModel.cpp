#include "ScreenModel.hpp"

#include <cstdlib>
#include <sstream>

#include "platform/UrlOpener.hpp"

namespace kelda::qt {
namespace {

// Sets `field` and emits `changed` when the value differs.
template <class T>
void update(ScreenModel* model, T& field, T value, void (ScreenModel::*changed)()) {
  if (field == value) return;
  field = std::move(value);
  emit(model->*changed)();
}

std::string utf8(const QString& text) {
  return text.toStdString();
}

// What tells one top screen from another: the tab, the bar's title and back button, the title.
QString screenKeyOf(const json::Value& tree) {
  QString key;
  for (json::Value tab : tree["tabs"].items()) {
    if (tab["selected"].boolValue()) key += QString::fromStdString(tab["id"].str());
  }
  key += "|" + QString::fromStdString(tree["navigationBar"]["title"].str());
  key += "|" + QString::fromStdString(tree["navigationBar"]["back"]["title"].str());
  key += "|" + QString::fromStdString(tree["screen"]["title"].str());
  return key;
}

}  // namespace

ScreenModel::ScreenModel(ClientHost& host, std::shared_ptr<ImageShelf> shelf, bool animated,
                         QObject* parent)
    : QObject(parent), host_(host), shelf_(std::move(shelf)), animated_(animated) {}

void ScreenModel::apply(const Frame& frame) {
  WebPages* pages = &host_.pages();
  MappingContext context{shelf_->adopt(frame.images),
                         [pages](const std::string& url) { return pages->styledText(url); }};
  playTransitions(frame.events);
  const QString key = screenKeyOf(frame.tree);
  const bool fresh = key != screenKey_;
  screenKey_ = key;
  items_.show(flattenElements(frame.tree["screen"]["children"]), context, fresh);
  if (fresh) update(this, screenNumber_, screenNumber_ + 1, &ScreenModel::screenNumberChanged);
  applyChrome(frame.tree, context);
  showOpened(frame.opened);
  settled_ = frame.settled;
  update(this, actionsDone_, frame.actionsDone, &ScreenModel::progressChanged);
  emit frameApplied(frame.actionsDone, frame.settled);
}

void ScreenModel::applyChrome(const json::Value& tree, const MappingContext& context) {
  update(this, tabs_, mapTabs(tree["tabs"]), &ScreenModel::tabsChanged);
  update(this, navigationBar_, mapNavigationBar(tree["navigationBar"]),
         &ScreenModel::navigationBarChanged);
  update(this, title_, QString::fromStdString(tree["screen"]["title"].str()),
         &ScreenModel::titleChanged);
  QVariantList views;
  for (const json::Value& node : flattenElements(tree["views"])) {
    views.push_back(mapNode(node, context));
  }
  update(this, views_, std::move(views), &ScreenModel::viewsChanged);
  update(this, banner_, plainVariant(tree["banner"]).toMap(), &ScreenModel::bannerChanged);
  update(this, busy_, tree["overlay"].isObject(), &ScreenModel::busyChanged);
  const QString field = QString::fromStdString(tree["keyboard"]["field"].str());
  const QString key = QString::fromStdString(tree["keyboard"]["returnKey"].str());
  if (field != keyboardField_ || key != returnKey_) {
    keyboardField_ = field;
    returnKey_ = key;
    emit keyboardChanged();
  }
  update(this, picker_,
         tree["picker"].isObject() ? mapNode(tree["picker"], context) : QVariantMap(),
         &ScreenModel::pickerChanged);
  update(this, alert_, plainVariant(tree["alert"]).toMap(), &ScreenModel::alertChanged);
  update(this, networkActivity_, tree["networkActivity"].boolValue(),
         &ScreenModel::networkActivityChanged);
}

// Events read "transition NAME SECONDSs SUBJECT"; the first transition of a frame plays.
void ScreenModel::playTransitions(const std::vector<std::string>& events) {
  if (!animated_ || !snapshot_) return;
  for (const std::string& event : events) {
    std::istringstream words(event);
    std::string word, name, duration;
    if (!(words >> word >> name >> duration) || word != "transition") continue;
    double seconds = std::strtod(duration.c_str(), nullptr);
    emit transition(QString::fromStdString(name), seconds, shelf_->keepShot(snapshot_()));
    return;
  }
}

void ScreenModel::showOpened(const std::vector<std::string>& opened) {
  bool added = false;
  for (const std::string& url : opened) {
    const QString address = QString::fromStdString(url);
    if (opener_ && opener_(address)) continue;
    notices_.push_back(address);
    added = true;
  }
  if (added) emit noticesChanged();
}

void ScreenModel::tap(const QString& id) {
  host_.act([id = utf8(id)](ui::Actor& actor) { return actor.tap(id); });
}

double ScreenModel::type(const QString& id, const QString& text) {
  return static_cast<double>(host_.act(
      [id = utf8(id), text = utf8(text)](ui::Actor& actor) { return actor.type(id, text); }));
}

void ScreenModel::returnKey(const QString& id) {
  host_.act([id = utf8(id)](ui::Actor& actor) { return actor.returnKey(id); });
}

void ScreenModel::pick(const QString& id, const QStringList& rows) {
  std::vector<std::string> wanted;
  for (const QString& row : rows) wanted.push_back(utf8(row));
  host_.act([id = utf8(id), wanted](ui::Actor& actor) { return actor.pick(id, wanted); });
}

void ScreenModel::back() {
  host_.act([](ui::Actor& actor) { return actor.back(); });
}

void ScreenModel::page(int index) {
  host_.act([index](ui::Actor& actor) { return actor.page(std::to_string(index)); });
}

void ScreenModel::openLink(const QString& url) {
  host_.post([url = utf8(url)] { platform::UrlOpener::shared().openURL(url); });
}

void ScreenModel::dismissNotice(int index) {
  if (index < 0 || index >= notices_.size()) return;
  notices_.removeAt(index);
  emit noticesChanged();
}

}  // namespace kelda::qt

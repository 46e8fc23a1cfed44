// ItemListModel: the flat list of a screen's items (see flattenElements) as a Qt list model,
// for the QML list that draws the screen. A new frame changes only what changed: items equal
// to the ones shown stay as they are, changed ones are updated in place, new ones inserted and
// gone ones removed, so that a load-more adds rows without remaking the rows in sight and
// the list keeps its scroll position. Only changed items are mapped again.
//
// Roles: "kind" (the node's kind), "node" (the mapped node), "itemId" (the node's id, or "").
// Lives on the window's thread.
#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QVariantMap>
#include <vector>

#include "TreeMapping.hpp"
#include "json/Value.hpp"

namespace kelda::qt {

class ItemListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  enum Role { KindRole = Qt::UserRole + 1, NodeRole, IdRole };

  explicit ItemListModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

  // Shows `items` (flattened nodes). With `fresh`, the list starts over (another screen came
  // to the top) instead of being changed item by item.
  void show(const std::vector<json::Value>& items, const MappingContext& context, bool fresh);

  // The position of the item with id `id`, or -1.
  Q_INVOKABLE int indexOf(const QString& id) const;
  // The mapped node at `index` (an empty map out of range).
  Q_INVOKABLE QVariantMap nodeAt(int index) const;

 private:
  struct Entry {
    json::Value raw;
    std::vector<QString> pictures;
    QVariantMap node;
    QString kind;
    QString id;
  };
  static Entry makeEntry(const json::Value& raw, std::vector<QString> pictures,
                         const MappingContext& context);

  std::vector<Entry> entries_;
};

}  // namespace kelda::qt

#include "ItemListModel.hpp"

#include <algorithm>

namespace kelda::qt {

ItemListModel::ItemListModel(QObject* parent) : QAbstractListModel(parent) {}

int ItemListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant ItemListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) return {};
  const Entry& entry = entries_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case KindRole:
      return entry.kind;
    case NodeRole:
      return entry.node;
    case IdRole:
      return entry.id;
    default:
      return {};
  }
}

QHash<int, QByteArray> ItemListModel::roleNames() const {
  return {{KindRole, "kind"}, {NodeRole, "node"}, {IdRole, "itemId"}};
}

ItemListModel::Entry ItemListModel::makeEntry(const json::Value& raw, std::vector<QString> pictures,
                                              const MappingContext& context) {
  Entry entry{raw, std::move(pictures), mapNode(raw, context), {}, {}};
  entry.kind = entry.node.value("kind").toString();
  entry.id = entry.node.value("id").toString();
  return entry;
}

void ItemListModel::show(const std::vector<json::Value>& items, const MappingContext& context,
                         bool fresh) {
  std::vector<std::vector<QString>> pictures;
  pictures.reserve(items.size());
  for (const json::Value& item : items) pictures.push_back(pictureAddresses(item, context));
  auto same = [&](std::size_t oldIndex, std::size_t newIndex) {
    const Entry& entry = entries_[oldIndex];
    return entry.pictures == pictures[newIndex] && entry.raw == items[newIndex];
  };

  if (fresh) {
    beginResetModel();
    entries_.clear();
    for (std::size_t i = 0; i < items.size(); ++i) {
      entries_.push_back(makeEntry(items[i], pictures[i], context));
    }
    endResetModel();
    return;
  }
  const std::size_t oldSize = entries_.size();
  const std::size_t newSize = items.size();
  const std::size_t shorter = std::min(oldSize, newSize);
  std::size_t prefix = 0;
  while (prefix < shorter && same(prefix, prefix)) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix && same(oldSize - 1 - suffix, newSize - 1 - suffix)) {
    ++suffix;
  }
  const std::size_t oldMiddle = oldSize - prefix - suffix;
  const std::size_t newMiddle = newSize - prefix - suffix;
  const std::size_t replaced = std::min(oldMiddle, newMiddle);
  // Items in the middle that both lists have: updated in place when they differ.
  for (std::size_t i = prefix; i < prefix + replaced; ++i) {
    if (same(i, i)) continue;
    entries_[i] = makeEntry(items[i], pictures[i], context);
    const QModelIndex at = index(static_cast<int>(i));
    emit dataChanged(at, at);
  }
  if (newMiddle > oldMiddle) {
    const std::size_t first = prefix + replaced;
    const std::size_t count = newMiddle - oldMiddle;
    beginInsertRows({}, static_cast<int>(first), static_cast<int>(first + count - 1));
    std::vector<Entry> inserted;
    inserted.reserve(count);
    for (std::size_t i = first; i < first + count; ++i) {
      inserted.push_back(makeEntry(items[i], pictures[i], context));
    }
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(first),
                    std::make_move_iterator(inserted.begin()),
                    std::make_move_iterator(inserted.end()));
    endInsertRows();
  } else if (oldMiddle > newMiddle) {
    const std::size_t first = prefix + replaced;
    const std::size_t count = oldMiddle - newMiddle;
    beginRemoveRows({}, static_cast<int>(first), static_cast<int>(first + count - 1));
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(first),
                   entries_.begin() + static_cast<std::ptrdiff_t>(first + count));
    endRemoveRows();
  }
}

int ItemListModel::indexOf(const QString& id) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

QVariantMap ItemListModel::nodeAt(int index) const {
  if (index < 0 || index >= rowCount()) return {};
  return entries_[static_cast<std::size_t>(index)].node;
}

}  // namespace kelda::qt

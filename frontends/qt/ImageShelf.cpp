#include "ImageShelf.hpp"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <utility>

namespace kelda::qt {
namespace {

QImage decode(QIODevice& device, const QSize& requested) {
  QImageReader reader(&device);
  if (requested.isValid() && !requested.isEmpty()) {
    QSize size = reader.size();
    if (size.isValid() &&
        (size.width() > requested.width() || size.height() > requested.height())) {
      reader.setScaledSize(size.scaled(requested, Qt::KeepAspectRatio));
    }
  }
  return reader.read();
}

}  // namespace

ImageShelf::ImageShelf(std::filesystem::path resources) : resources_(std::move(resources)) {}

std::vector<QString> ImageShelf::adopt(
    const std::vector<std::shared_ptr<const std::string>>& images) {
  std::lock_guard lock(mutex_);
  std::map<const std::string*, Held> kept;
  std::vector<QString> addresses;
  addresses.reserve(images.size());
  for (const auto& bytes : images) {
    if (!bytes) {
      addresses.emplace_back();
      continue;
    }
    auto found = held_.find(bytes.get());
    Held held = found != held_.end() ? found->second : Held{bytes, nextNumber_++};
    kept.emplace(bytes.get(), held);
    addresses.push_back(QStringLiteral("image://kelda/data/%1").arg(held.number));
  }
  held_ = std::move(kept);
  byNumber_.clear();
  for (const auto& [pointer, held] : held_) byNumber_.emplace(held.number, held.bytes);
  return addresses;
}

QString ImageShelf::resourceAddress(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
      name == "." || name == "..") {
    return {};
  }
  return QStringLiteral("image://kelda/res/") + QString::fromStdString(name);
}

QString ImageShelf::keepShot(QImage shot) {
  std::lock_guard lock(mutex_);
  shot_ = std::move(shot);
  return QStringLiteral("image://kelda/shot/%1").arg(++shotNumber_);
}

QImage ImageShelf::picture(const QString& id, const QSize& requested) const {
  if (id.startsWith(QLatin1String("res/"))) {
    const std::string name = id.mid(4).toStdString();
    if (resourceAddress(name).isEmpty()) return {};
    QFile file(QString::fromStdString((resources_ / name).string()));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return decode(file, requested);
  }
  if (id.startsWith(QLatin1String("data/"))) {
    std::shared_ptr<const std::string> bytes;
    {
      std::lock_guard lock(mutex_);
      auto it = byNumber_.find(id.mid(5).toULongLong());
      if (it == byNumber_.end()) return {};
      bytes = it->second;
    }
    QByteArray data = QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return decode(buffer, requested);
  }
  if (id.startsWith(QLatin1String("shot/"))) {
    std::lock_guard lock(mutex_);
    return shot_;
  }
  return {};
}

ImageProvider::ImageProvider(std::shared_ptr<const ImageShelf> shelf)
    : QQuickImageProvider(QQuickImageProvider::Image), shelf_(std::move(shelf)) {}

QImage ImageProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize) {
  QImage image = shelf_->picture(id, requestedSize);
  if (size != nullptr) *size = image.size();
  return image;
}

}  // namespace kelda::qt

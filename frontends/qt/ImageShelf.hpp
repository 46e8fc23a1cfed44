// ImageShelf: the pictures the window can draw, by image address (QML "image://kelda/..."):
//   image://kelda/res/NAME   a picture shipped in the client's resources directory
//   image://kelda/data/N     downloaded bytes that a frame carries (N never names other bytes)
//   image://kelda/shot/N     a picture of the window taken before a transition
// Each frame's downloaded pictures are adopted: the same bytes keep their address from frame to
// frame, and bytes no longer shown are let go. Decoding honours the size QML asks for, so a
// list of thumbnails never holds full-size pictures.
//
// Any thread (QML may ask for pictures from its loader threads).
#pragma once

#include <QImage>
#include <QQuickImageProvider>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kelda::qt {

class ImageShelf {
 public:
  explicit ImageShelf(std::filesystem::path resources);

  // Addresses of a frame's downloaded pictures, by their number in the frame.
  std::vector<QString> adopt(const std::vector<std::shared_ptr<const std::string>>& images);
  // The address of a shipped picture by file name; empty for an empty or unsafe name.
  static QString resourceAddress(const std::string& name);
  // Keeps a picture of the window (the last one replaces the one before); answers its address.
  QString keepShot(QImage shot);

  // The picture at `id` (the address after "image://kelda/"), scaled down to fit `requested`
  // when that is given; a null image when there is none.
  QImage picture(const QString& id, const QSize& requested) const;

 private:
  struct Held {
    std::shared_ptr<const std::string> bytes;
    std::uint64_t number;
  };
  std::filesystem::path resources_;
  mutable std::mutex mutex_;
  std::map<const std::string*, Held> held_;
  std::map<std::uint64_t, std::shared_ptr<const std::string>> byNumber_;
  std::uint64_t nextNumber_ = 1;
  QImage shot_;
  std::uint64_t shotNumber_ = 0;
};

// The QML image provider over a shelf (the engine owns the provider; the shelf is shared).
class ImageProvider : public QQuickImageProvider {
 public:
  explicit ImageProvider(std::shared_ptr<const ImageShelf> shelf);
  QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;

 private:
  std::shared_ptr<const ImageShelf> shelf_;
};

}  // namespace kelda::qt

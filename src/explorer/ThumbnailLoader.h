// Thumbnails made off the user-interface thread. Each request runs on the loader's own
// thread pool: the shared cache is asked first, and only a missing or stale thumbnail is
// made by the maker and stored; a file recorded as failed at its current time is not tried. Results come back to the
// loader's thread as queued signals; Cancel drops everything queued and every result not yet delivered, so a list that
// moved to another folder never receives thumbnails of the old one.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>

#include "explorer/ThumbnailCache.h"

// Makes a picture of the file at path whose longer side is about size pixels (not less
// than size unless the picture is smaller); a null image when the file gives no picture.
// Called on worker threads.
using TThumbnailMaker = std::function<QImage(const QString& path, int size)>;

class TThumbnailLoader : public QObject {
  Q_OBJECT

 public:
  explicit TThumbnailLoader(TThumbnailCache cache = TThumbnailCache(), QObject* parent = nullptr);
  ~TThumbnailLoader() override;

  // Set before the first request.
  void SetMaker(TThumbnailMaker maker) { maker_ = std::move(maker); }
  void SetIconSize(int size) { iconSize_ = size; }

  // Queues the thumbnail of path; Ready hands it back with key.
  void Request(int key, const QString& path);
  void Cancel();
  // Blocks until the pool is idle (results may still be queued for delivery).
  void WaitForDone() { pool_.waitForDone(); }

 signals:
  // thumbnail fits in the icon size; null when the file gives no picture.
  void Ready(int key, const QImage& thumbnail);

 private:
  QImage Make(const QString& path) const;

  QThreadPool pool_;
  TThumbnailCache cache_;
  TThumbnailMaker maker_;
  int iconSize_ = 32;
  std::shared_ptr<std::atomic<quint64>> generation_ = std::make_shared<std::atomic<quint64>>(0);
};

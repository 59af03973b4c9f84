#include "explorer/ThumbnailLoader.h"

#include <QDateTime>
#include <QFileInfo>

TThumbnailLoader::TThumbnailLoader(TThumbnailCache cache, QObject* parent) : QObject(parent), cache_(std::move(cache)) {
  pool_.setThreadPriority(QThread::LowPriority);
}

TThumbnailLoader::~TThumbnailLoader() {
  Cancel();
  pool_.waitForDone();
}

void TThumbnailLoader::Request(int key, const QString& path) {
  const quint64 mine = generation_->load();
  pool_.start([this, generation = generation_, mine, key, path] {
    if (generation->load() != mine) return;
    const QImage thumbnail = Make(path);
    QMetaObject::invokeMethod(
        this,
        [this, generation, mine, key, thumbnail] {
          if (generation->load() == mine) emit Ready(key, thumbnail);
        },
        Qt::QueuedConnection);
  });
}

void TThumbnailLoader::Cancel() {
  ++*generation_;
  pool_.clear();
}

QImage TThumbnailLoader::Make(const QString& path) const {
  const QFileInfo info(path);
  if (!info.isFile()) return {};
  const qint64 mtime = info.lastModified().toSecsSinceEpoch();
  QImage thumbnail = cache_.Find(path, mtime);
  if (thumbnail.isNull() && maker_ && !cache_.Failed(path, mtime)) {
    const QImage made = maker_(path, TThumbnailCache::NormalSize);
    if (made.isNull()) {
      cache_.StoreFailure(path, mtime);
      return {};
    }
    thumbnail = made.width() > TThumbnailCache::NormalSize || made.height() > TThumbnailCache::NormalSize
                    ? made.scaled(TThumbnailCache::NormalSize, TThumbnailCache::NormalSize, Qt::KeepAspectRatio,
                                  Qt::SmoothTransformation)
                    : made;
    cache_.Store(path, mtime, thumbnail);
  }
  if (thumbnail.isNull() || (thumbnail.width() <= iconSize_ && thumbnail.height() <= iconSize_)) return thumbnail;
  return thumbnail.scaled(iconSize_, iconSize_, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

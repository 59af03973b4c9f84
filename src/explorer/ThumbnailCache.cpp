#include "explorer/ThumbnailCache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace {
const QString kUriKey = QStringLiteral("Thumb::URI");
const QString kMTimeKey = QStringLiteral("Thumb::MTime");
}  // namespace

TThumbnailCache::TThumbnailCache(QString folder, QString failFolder)
    : folder_(std::move(folder)), failFolder_(std::move(failFolder)) {}

QString TThumbnailCache::DefaultFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/thumbnails/normal";
}

QString TThumbnailCache::DefaultFailFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/thumbnails/fail/tesserine-1.0";
}

QByteArray TThumbnailCache::FileUri(const QString& path) {
  return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
}

namespace {
QString PathIn(const QString& folder, const QString& path) {
  const QByteArray md5 = QCryptographicHash::hash(TThumbnailCache::FileUri(path), QCryptographicHash::Md5).toHex();
  return folder + '/' + QString::fromLatin1(md5) + ".png";
}
}  // namespace

QString TThumbnailCache::ThumbnailPath(const QString& path) const { return PathIn(folder_, path); }

QImage TThumbnailCache::Find(const QString& path, qint64 mtime) const { return FindIn(folder_, path, mtime); }

bool TThumbnailCache::Store(const QString& path, qint64 mtime, const QImage& thumbnail) const {
  return StoreIn(folder_, path, mtime, thumbnail);
}

bool TThumbnailCache::Failed(const QString& path, qint64 mtime) const {
  return !FindIn(failFolder_, path, mtime).isNull();
}

// The standard asks only for the keys; the picture is a single transparent pixel.
bool TThumbnailCache::StoreFailure(const QString& path, qint64 mtime) const {
  QImage mark(1, 1, QImage::Format_ARGB32);
  mark.fill(Qt::transparent);
  return StoreIn(failFolder_, path, mtime, mark);
}

QImage TThumbnailCache::FindIn(const QString& folder, const QString& path, qint64 mtime) {
  QImage thumbnail(PathIn(folder, path), "PNG");
  if (thumbnail.isNull()) return {};
  if (thumbnail.text(kUriKey) != QString::fromLatin1(FileUri(path))) return {};
  if (thumbnail.text(kMTimeKey) != QString::number(mtime)) return {};
  return thumbnail;
}

bool TThumbnailCache::StoreIn(const QString& folder, const QString& path, qint64 mtime, const QImage& thumbnail) {
  if (thumbnail.isNull() || !QDir().mkpath(folder)) return false;
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QImage stored = thumbnail;
  stored.setText(kUriKey, QString::fromLatin1(FileUri(path)));
  stored.setText(kMTimeKey, QString::number(mtime));
  QSaveFile file(PathIn(folder, path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  return stored.save(&file, "PNG") && file.commit();
}

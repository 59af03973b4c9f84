#include "widgets/ThumbnailCache.h"

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

TThumbnailCache::TThumbnailCache(QString folder) : folder_(std::move(folder)) {}

QString TThumbnailCache::DefaultFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/thumbnails/normal";
}

QByteArray TThumbnailCache::FileUri(const QString& path) {
  return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
}

QString TThumbnailCache::ThumbnailPath(const QString& path) const {
  const QByteArray md5 = QCryptographicHash::hash(FileUri(path), QCryptographicHash::Md5).toHex();
  return folder_ + '/' + QString::fromLatin1(md5) + ".png";
}

QImage TThumbnailCache::Find(const QString& path, qint64 mtime) const {
  QImage thumbnail(ThumbnailPath(path), "PNG");
  if (thumbnail.isNull()) return {};
  if (thumbnail.text(kUriKey) != QString::fromLatin1(FileUri(path))) return {};
  if (thumbnail.text(kMTimeKey) != QString::number(mtime)) return {};
  return thumbnail;
}

bool TThumbnailCache::Store(const QString& path, qint64 mtime, const QImage& thumbnail) const {
  if (thumbnail.isNull() || !QDir().mkpath(folder_)) return false;
  QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QImage stored = thumbnail;
  stored.setText(kUriKey, QString::fromLatin1(FileUri(path)));
  stored.setText(kMTimeKey, QString::number(mtime));
  QSaveFile file(ThumbnailPath(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  return stored.save(&file, "PNG") && file.commit();
}

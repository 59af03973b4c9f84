// The shared thumbnail cache of the freedesktop.org Thumbnail Managing Standard, "normal"
// size: $XDG_CACHE_HOME/thumbnails/normal/<MD5 of the file's URI>.png, each PNG carrying
// the file's URI ("Thumb::URI") and modification time in seconds ("Thumb::MTime"). Other
// programs read and write the same folder, so a thumbnail is trusted only when both keys
// match the file as it is now, and a new one replaces the old through a rename so readers
// never see half a file. A file that gave no picture is recorded the same way in the
// standard's failure folder of this program, so it is tried again only once it changes.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class TThumbnailCache {
 public:
  // The edge of a "normal" thumbnail in pixels.
  static constexpr int NormalSize = 128;

  // The cache in folder, failures in failFolder; by default the standard's folders.
  explicit TThumbnailCache(QString folder = DefaultFolder(), QString failFolder = DefaultFailFolder());
  static QString DefaultFolder();
  static QString DefaultFailFolder();

  // The file's absolute path as a percent-encoded file:// URI.
  static QByteArray FileUri(const QString& path);
  QString ThumbnailPath(const QString& path) const;

  // The stored thumbnail of the file at path when it was made from this URI and mtime
  // (seconds since the epoch); a null image when it is missing, unreadable or stale.
  QImage Find(const QString& path, qint64 mtime) const;
  // Stores thumbnail (at most NormalSize on its longer side) for the file; false when it
  // could not be written.
  bool Store(const QString& path, qint64 mtime, const QImage& thumbnail) const;

  // Whether making a thumbnail of the file failed when it had this mtime.
  bool Failed(const QString& path, qint64 mtime) const;
  // Records that the file at this mtime gives no thumbnail; false when it could not be written.
  bool StoreFailure(const QString& path, qint64 mtime) const;

 private:
  static QImage FindIn(const QString& folder, const QString& path, qint64 mtime);
  static bool StoreIn(const QString& folder, const QString& path, qint64 mtime, const QImage& thumbnail);

  QString folder_;
  QString failFolder_;
};

#include "widgets/FolderPath.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

bool IsFolderPath(const std::string& path) {
  if (path.starts_with("//")) return true;
  return !path.empty() && QFileInfo(QString::fromStdString(path)).isDir();
}

QString DesktopFolder() {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

QString PicturesFolder() {
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  return QDir(pictures).exists() ? pictures : QDir::homePath();
}

QString ParentFolder(const QString& folder) {
  const QString clean = QDir::cleanPath(folder);
  const qsizetype slash = clean.lastIndexOf('/');
  return slash <= 0 ? QStringLiteral("/") : clean.left(slash);
}

QString ExistingFolder(const QString& folder) {
  if (!folder.startsWith('/')) return QDir::homePath();
  QString candidate = QDir::cleanPath(folder);
  while (candidate != "/" && !QFileInfo(candidate).isDir()) candidate = ParentFolder(candidate);
  return candidate;
}

std::optional<QString> TypedFolder(const QString& text, const QString& current) {
  QString path = text.trimmed();
  if (path.isEmpty()) return std::nullopt;
  if (path == "~" || path.startsWith("~/")) path = QDir::homePath() + path.mid(1);
  if (!path.startsWith('/')) path = current + '/' + path;
  path = QDir::cleanPath(path);
  if (!QFileInfo(path).isDir()) return std::nullopt;
  return path;
}

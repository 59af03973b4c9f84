#include "explorer/FolderReader.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

bool Matches(const QString& name, const std::vector<QRegularExpression>& patterns) {
  return std::any_of(patterns.begin(), patterns.end(),
                     [&](const QRegularExpression& pattern) { return pattern.match(name).hasMatch(); });
}

}  // namespace

QStringList SplitMask(const QString& mask) {
  QStringList wildcards;
  for (const QString& part : mask.split(';', Qt::SkipEmptyParts))
    if (const QString trimmed = part.trimmed(); !trimmed.isEmpty()) wildcards << trimmed;
  return wildcards;
}

std::vector<TFileEntry> ReadFolder(const QString& folder, const QStringList& wildcards) {
  std::vector<QRegularExpression> patterns;
  for (const QString& wildcard : wildcards)
    patterns.push_back(QRegularExpression::fromWildcard(wildcard, Qt::CaseInsensitive));
  std::vector<TFileEntry> entries;
  const QFileInfoList infos =
      QDir(folder).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
  for (const QFileInfo& info : infos) {
    TFileEntry entry{info.fileName(), info.absoluteFilePath(), {}, false};
    if (info.isSymLink()) {
      entry.target = info.symLinkTarget();
      const QFileInfo target(entry.target);
      entry.folder = target.isDir();
      if (!entry.folder && target.exists() && !target.isFile()) continue;
      if (!entry.folder && !Matches(entry.name, patterns) && !Matches(target.fileName(), patterns)) continue;
    } else if (info.isDir()) {
      entry.folder = true;
    } else if (!info.isFile() || !Matches(entry.name, patterns)) {
      continue;
    }
    entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(), [](const TFileEntry& a, const TFileEntry& b) {
    if (a.folder != b.folder) return a.folder;
    return QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
  });
  return entries;
}

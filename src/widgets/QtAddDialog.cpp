#include "widgets/QtAddDialog.h"

#include <QFileDialog>

std::optional<std::vector<std::string>> TQtAddDialog::Execute(const QString& filter, const std::string& initialDir) {
  QFileDialog dialog(nullptr, QString(), QString::fromStdString(initialDir));
  dialog.setFileMode(QFileDialog::ExistingFiles);
  // The filter text pairs descriptions and patterns with "|"; Qt wants "description (patterns)".
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = parts[i + 1].split(';').join(' ');
    QString description = parts[i].section('(', 0, 0).trimmed();
    if (description.isEmpty()) description = patterns;
    // File names on Linux are case-sensitive, so the lower-case spellings are offered too.
    filters << description + " (" + patterns + " " + patterns.toLower() + ")";
  }
  dialog.setNameFilters(filters);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  std::vector<std::string> files;
  for (const QString& file : dialog.selectedFiles()) files.push_back(file.toStdString());
  return files;
}

std::optional<std::string> TQtAddDialog::ChooseFolder(const std::string& initialDir) {
  const QString folder =
      QFileDialog::getExistingDirectory(nullptr, QStringLiteral("Watch Folder"), QString::fromStdString(initialDir));
  if (folder.isEmpty()) return std::nullopt;
  return folder.toStdString();
}

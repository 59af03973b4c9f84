// Whole-file byte helpers for tests that compare files exactly.
#pragma once

#include <QFile>
#include <string>

inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::WriteOnly) &&
         file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

// The file's bytes, or "<missing>" when it cannot be opened.
inline std::string ReadFileBytes(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
}

#include "platform/system/FileNameText.h"

#include <QFile>

#include "platform/desktop/DesktopBackend.h"

QString FileNameAsText(const std::string& backend, const std::string& file) {
  const QByteArray bytes = QByteArray::fromStdString(file);
  const QString text = QFile::decodeName(bytes);
  if (QFile::encodeName(text) != bytes)
    ThrowBackendError(backend, DesktopFailure::FileName,
                      text.toStdString() + " is not text in the system's character encoding");
  return text;
}

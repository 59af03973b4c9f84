#include "platform/desktop/DesktopValues.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "platform/desktop/DesktopWallpaper.h"

namespace {

const char kFileName[] = "desktop-values";

QByteArray Encode(const std::string& text) {
  return QByteArray::fromStdString(text).toPercentEncoding("/ :\\.,-_()[]{}!~*'");
}

std::string Decode(const QByteArray& text) { return QByteArray::fromPercentEncoding(text).toStdString(); }

}  // namespace

TDesktopValues::TDesktopValues(QString folder) : folder_(std::move(folder)) { Load(); }

QString TDesktopValues::DefaultFolder() {
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + "/.config";
  return base + "/tesserine";
}

QString TDesktopValues::FilePath() const { return folder_ + "/" + kFileName; }

void TDesktopValues::OpenKey() {
  if (!QDir().mkpath(folder_)) throw TDesktopError("Failed to create key Control Panel\\desktop");
}

void TDesktopValues::Set(const std::string& name, const std::string& value) {
  auto values = values_;
  values[name] = value;
  if (!Save(values)) throw TDesktopError("Failed to set data for '" + name + "'");
  values_ = std::move(values);
}

std::optional<std::string> TDesktopValues::Get(const std::string& name) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void TDesktopValues::Load() {
  QFile file(FilePath());
  if (!file.open(QIODevice::ReadOnly)) return;
  for (const QByteArray& line : file.readAll().split('\n')) {
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0) continue;
    values_[Decode(line.left(equals))] = Decode(line.mid(equals + 1));
  }
}

bool TDesktopValues::Save(const std::map<std::string, std::string>& values) const {
  QSaveFile file(FilePath());
  if (!file.open(QIODevice::WriteOnly)) return false;
  for (const auto& [name, value] : values) file.write(Encode(name) + '=' + Encode(value) + '\n');
  return file.commit();
}

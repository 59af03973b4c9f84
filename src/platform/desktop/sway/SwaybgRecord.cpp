#include "platform/desktop/sway/SwaybgRecord.h"

#include <QFile>

#include "platform/system/AtomicFile.h"
#include "platform/system/DetachedProcess.h"

// The record is three lines: the process id, then the command line and the arguments, each
// NUL-separated and written in hexadecimal, so that no byte of a file name can break a line.
std::optional<TSwaybgRecord> ReadSwaybgRecord(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QList<QByteArray> lines = file.readAll().split('\n');
  if (lines.size() < 3) return std::nullopt;
  bool number = false;
  const pid_t pid = lines[0].toInt(&number);
  const QByteArray commandLine = QByteArray::fromHex(lines[1]);
  if (!number || pid <= 0 || commandLine.isEmpty()) return std::nullopt;
  QStringList arguments;
  for (const QByteArray& argument : QByteArray::fromHex(lines[2]).split('\0')) arguments << QFile::decodeName(argument);
  arguments.removeLast();
  return TSwaybgRecord{pid, commandLine, arguments};
}

void WriteSwaybgRecord(const QString& path, const TSwaybgRecord& record) {
  QByteArray arguments;
  for (const QString& argument : record.arguments) arguments += QFile::encodeName(argument) + '\0';
  const QByteArray text =
      QByteArray::number(record.pid) + '\n' + record.commandLine.toHex() + '\n' + arguments.toHex() + '\n';
  WriteFileAtomically(QFile::encodeName(path).toStdString(), std::string_view(text.constData(), text.size()));
}

bool StillRunning(const TSwaybgRecord& record) { return CommandLineOf(record.pid) == record.commandLine; }

ShownWallpaper ShownBy(const QStringList& arguments) {
  ShownWallpaper shown;
  for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
    // The first output's group is the primary monitor's.
    if (arguments[i] == "-i" && shown.file.empty()) shown.file = QFile::encodeName(arguments[i + 1]).toStdString();
    if (arguments[i] == "-m") {
      shown.tiled = arguments[i + 1] == "tile";
      break;
    }
  }
  return shown;
}

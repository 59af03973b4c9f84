// Which swaybg is ours: its process id and the command line it was started with, kept in a
// file in the runtime folder so that a later change, by this run or the next, can end it. A
// process counts as ours only while /proc shows that very command line for the id, so an id
// the system has given to another program, or another program's swaybg, is never ended.
#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "platform/desktop/DesktopBackend.h"

struct TSwaybgRecord {
  pid_t pid = 0;
  // The process's command line as /proc showed it once it ran (each argument ended by a NUL).
  QByteArray commandLine;
  // The arguments it was given: what it shows.
  QStringList arguments;
};

// nullopt when the file is missing or not a record.
std::optional<TSwaybgRecord> ReadSwaybgRecord(const QString& path);
// Throws std::system_error when the file cannot be written.
void WriteSwaybgRecord(const QString& path, const TSwaybgRecord& record);

// The record's process still runs with the recorded command line.
bool StillRunning(const TSwaybgRecord& record);

// What a swaybg started with these arguments shows.
ShownWallpaper ShownBy(const QStringList& arguments);

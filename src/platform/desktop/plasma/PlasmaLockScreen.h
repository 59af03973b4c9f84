// KDE Plasma's lock screen reads its wallpaper from kscreenlockerrc: [Greeter]
// WallpaperPlugin=org.kde.image, and Image in [Greeter][Wallpaper][org.kde.image][General] as a
// file URL. Plasma's own KConfig tools write and read the file (kwriteconfig6 or
// kwriteconfig5, kreadconfig6 or kreadconfig5), so it keeps Plasma's format; a key that holds
// its value already is not written again.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

// The tool arguments that make the lock screen show url, each write's value last; the read of
// a key takes the same arguments without the value.
std::vector<QStringList> LockScreenWrites(const QString& url);

// The lock screen shows file from now on, through the tools found on PATH; throws
// TDesktopError when neither writer is installed or a tool fails.
void ShowOnPlasmaLockScreen(const std::string& file);

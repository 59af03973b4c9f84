// KDE Plasma's lock screen reads its wallpaper from kscreenlockerrc: [Greeter]
// WallpaperPlugin=org.kde.image, and Image in [Greeter][Wallpaper][org.kde.image][General] as a
// file URL. Plasma's own KConfig tools write and read it (kwriteconfig6 or kwriteconfig5,
// kreadconfig6 or kreadconfig5), so the file keeps Plasma's format; a key that already holds
// its value is not written again.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "platform/desktop/LockScreen.h"

// The writes that show url, each ending in its value; a read of a key takes the same
// arguments without the value.
std::vector<QStringList> LockScreenWrites(const QString& url);

class TPlasmaLockScreen final : public ILockScreen {
 public:
  // The tools are looked for on PATH at each Show.
  TPlasmaLockScreen() = default;
  void Show(const std::string& file) override;
};

// The program's pictures, drawn here rather than loaded: the tray icon while the agent runs
// and while it is paused, one picture per display method for the menus, the image list and
// the Images page, and the random-cycle mark of the image list. Every picture is drawn on a
// 16-unit grid and scaled to the size asked for.
#pragma once

#include <QImage>

#include "wallpaper/DispMethods.h"

enum class TrayState { Running, Paused };

// 16 x 16.
QImage DrawTrayIcon(TrayState state);

// size x size (16 for menus and the list, 32 for the Images page); codes outside 0..6 give
// a transparent picture.
QImage DrawDispMethodIcon(DispObj code, int size);

// 16 x 16 mark of an image list entry: 0 an empty box (not shown in this cycle), 1 a ticked
// box (shown); any other value (no mark state yet) gives a transparent picture.
QImage DrawMarkIcon(int mark);

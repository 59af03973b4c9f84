// The agent's pictures, drawn here rather than loaded: the tray icon while the agent runs
// and while it is paused, and one picture per display method for the tray menu and the
// Images page. Every picture is drawn on a 16-unit grid and scaled to the size asked for.
#pragma once

#include <QImage>

#include "wallpaper/DispMethods.h"

enum class TrayState { Running, Paused };

// 16 x 16.
QImage DrawTrayIcon(TrayState state);

// size x size (16 for menus and the list, 32 for the Images page); codes outside 0..6 give
// a transparent picture.
QImage DrawDispMethodIcon(DispObj code, int size);

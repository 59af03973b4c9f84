// The "Display Type" submenu of the list's shortcut menu and of the tray menu: one checkable
// item a method in DispMenuOrder, at most one of them checked, each holding its code as its
// data.
#pragma once

#include <functional>

#include "wallpaper/DispMethods.h"

class QAction;
class QMenu;

// Fills menu; items[code] becomes the item of each code, and chosen is told the item the user
// picks.
void AddDispMethodItems(QMenu* menu, QAction* (&items)[DispObjCount], const std::function<void(QAction*)>& chosen);

// Temporary definitions of the main window's wallpaper and agent methods, so the program
// links while they are being written; each is removed here when its real one lands.
#include "app/Tessel.h"

void TTesselForm1::ChgBackground() {}
void TTesselForm1::UpdtBackground() {}
void TTesselForm1::ApplyClick(QObject*) {}
void TTesselForm1::WMDisplayChange() {}

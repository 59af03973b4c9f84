// Temporary definitions of the main window's wallpaper and agent methods, so the program
// links while they are being written; each is removed here when its real one lands.
#include "app/Tessel.h"

void TTesselForm1::ChgBackground() {}
void TTesselForm1::UpdtBackground() {}
void TTesselForm1::ApplyClick(QObject*) {}
void TTesselForm1::WMDisplayChange() {}

void TTesselForm1::Timer1Timer(QObject*) {}
bool TTesselForm1::ScreenSaverRunning() { return false; }

void TTesselForm1::NextBackground() {}
void TTesselForm1::SetNextIndex() {}
int TTesselForm1::RandomCycleIndex() { return 0; }
void TTesselForm1::ResetMarkedClick(QObject*) {}
void TTesselForm1::orderClick(QObject*) {}

void TTesselForm1::OKClick(QObject*) {}
void TTesselForm1::Properties1Click(QObject*) {}
void TTesselForm1::Pause1Click(QObject*) {}
void TTesselForm1::Next1Click(QObject*) {}
void TTesselForm1::Remove1Click(QObject*) {}
void TTesselForm1::mnuDispTypItmClick(QAction*) {}
void TTesselForm1::RxTrayIcon1Click(QObject*, Qt::MouseButton, QPoint) {}
void TTesselForm1::ShowTrayMenu(QPoint) {}
void TTesselForm1::SysTrayClickCBChange(QObject*) {}
void TTesselForm1::SetHint() {}

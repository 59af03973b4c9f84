// Everything the main window needs from outside itself, handed in at construction so tests
// can put scripted answers, a fixed screen and a fake clock in place of the real ones.
#pragma once

#include <string>

class IAddDialog;
class IClock;
class IDesktopWallpaper;
class IMessageBoxes;
class IProcessStarter;
class IRandomSource;
class IScreenMetrics;
class IScreenSaverState;

struct TFormServices {
  IMessageBoxes& messages;
  IScreenMetrics& screen;
  IDesktopWallpaper& desktop;
  IScreenSaverState& screenSaver;
  IClock& clock;
  IRandomSource& random;
  IAddDialog& addDialog;
  IProcessStarter& processes;
  // The program's folder, ending in "/": the configuration file and the converted bitmap live there.
  std::string programFolder;
  std::string configFileName;
};

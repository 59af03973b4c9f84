// Temporary definitions of the main window's wallpaper and agent methods, so the program
// links while they are being written; each is removed here when its real one lands.
#include "app/Tessel.h"

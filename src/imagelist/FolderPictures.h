// Which files of a watched folder are pictures the list takes: the formats the program
// reads (by extension, as the Add dialog offers them), never the program's own converted
// bitmaps (a monitor's, the dark partner's), and only names the configuration can keep (any other counts as skipped).
#pragma once

#include <string_view>

#include "platform/system/FolderScan.h"

bool IsPictureName(std::string_view path);

TFileVerdict FolderPictureVerdict(std::string_view path);

// The dark partners in the configuration file: section "Dark", one line
// "<picture>=<dark picture>" an entry that has one. The section is written only when it has a
// line, so a file without partners keeps its bytes; a new one is appended after the others,
// an existing one keeps its place.
#pragma once

#include <string_view>

#include "config/BigIni.h"
#include "imagelist/ImageList.h"

inline constexpr std::string_view DarkSection = "Dark";

// Gives each entry the partner its line names; a line that names no entry is passed over.
void LoadDark(TImageList& list, const TBigIniFile& ini);

// The section in line with the list's partners.
void SaveDark(TBigIniFile& ini, const TImageList& list);

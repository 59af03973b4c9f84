// The image list in the configuration file: section "Bitmaps", one "file name=value" line an
// entry, in list order, the value the display method's text code and, in random-cycle
// order, the entry's mark. The entries' dark partners go with them in section "Dark"
// (DarkFile.h).
#pragma once

#include <functional>
#include <string>

#include "config/BigIni.h"
#include "config/ConfigValues.h"
#include "imagelist/ImageList.h"

// Decodes a stored value for an entry; an empty value means the entry's line is read again.
using TDispReader = std::function<TStoredDisp(const std::string& fileName, const std::string& storedValue)>;

// The method and mark stored for an entry: storedValue decoded, or, when it is empty, the
// value of the entry's line in section "Bitmaps" (no line gives defDisp and no mark).
TStoredDisp ReadStoredDisp(const TBigIniFile& ini, const std::string& fileName, const std::string& storedValue,
                           bool randomCycle, DispObj defDisp);

// Appends every "Bitmaps" entry to list (a line without a name is passed over: it could not
// be saved), with the partners section "Dark" gives them; every hundred lines keepPainting lets the window paint. True
// when an entry is marked as shown in the current random cycle.
bool LoadBitmaps(TImageList& list, const TBigIniFile& ini, const TDispReader& readDisp,
                 const std::function<void()>& keepPainting);

// Replaces every "Bitmaps" section with the list, and brings section "Dark" in line with its
// partners. An entry whose method was never resolved
// takes what the section rebuilt so far says of its name (the default method and no mark,
// unless an entry of that name was written before it), and unresolved is told.
void SaveBitmaps(TBigIniFile& ini, const TImageList& list, bool randomCycle,
                 const std::function<std::string(DispObj)>& dispText, const TDispReader& readDisp,
                 const std::function<void()>& unresolved);

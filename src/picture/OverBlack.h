// Transparent pixels as the desktop shows them: over black. A colour with alpha becomes its
// premultiplied colour, made opaque; these are the bytes Qt's conversion of a picture with
// alpha to Format_ARGB32_Premultiplied gives, so every decoder's pixels match Qt's readers'.
#pragma once

#include <QRgb>

inline QRgb OverBlack(QRgb argb) { return qPremultiply(argb) | 0xff000000u; }

// OverBlack of each of count pixels, in place.
inline void RowOverBlack(QRgb* row, int count) {
  for (int x = 0; x < count; ++x) row[x] = OverBlack(row[x]);
}

// The bitmap the Images page's preview box shows, painted from a PreviewPlan.
//
// Scaling is nearest-neighbour (no smoothing), as the compositions scale: every preview
// pixel is one of the picture's own pixels, the tiled cells meet without blended seams,
// and the cost depends on the box, not on the picture.
#pragma once

#include <QImage>
#include <QSize>

#include "wallpaper/DispMethods.h"

inline constexpr QRgb PreviewTeal = qRgb(0, 128, 128);

// A box-sized Format_RGB32 bitmap (empty for a box without area) of source shown by method
// on a screen: composed stands for source in the special methods 3 to 6. Teal when source is
// empty, the picture to show is empty or method names no layout. The tiled layouts stretch
// the picture into the first cell once and repeat that cell's pixels over the box.
QImage RenderPreview(const QImage& source, const QImage& composed, DispObj method, QSize box, QSize screen);

// Where the Images page's preview box draws the selected picture: the desktop scaled down
// to the box, one desktop pixel becoming box/screen preview pixels in each direction.
//
// Data flow: PreviewLayout takes the size of the picture the desktop would show (the
// composed one for the special methods), the method, the box and the screen, and returns a
// PreviewPlan; RenderPreview (PreviewRender.h) paints the plan into a bitmap the box shows.
#pragma once

#include <QRect>
#include <QSize>

#include "wallpaper/DispMethods.h"

enum class PreviewFill {
  Teal,       // the box is teal only
  Tiled,      // the picture fills the first cell, every other cell repeats it
  Stretched,  // the picture covers the whole box
  Centered,   // the box is teal, the picture sits in the centred rectangle
};

struct PreviewPlan {
  PreviewFill fill = PreviewFill::Teal;
  // One picture's size on the preview, at least 1 x 1.
  int tw = 1;
  int th = 1;
  // The tiled cells: column i, row j is Cell(i, j) for i < columns, j < rows. Cells are
  // counted, not listed, since a tiny picture on a large box gives one cell per pixel.
  int columns = 0;
  int rows = 0;
  // Where the picture is stretched to: the first cell, the whole box, or the centred
  // rectangle; empty for Teal.
  QRect target;

  QRect Cell(int column, int row) const { return QRect(column * tw, row * th, tw, th); }
};

// The plan for a picture of size picture shown by method in a box on a screen. An empty
// picture, a negative method or an unknown one gives Teal. A screen without area is taken
// as one preview pixel per desktop pixel.
PreviewPlan PreviewLayout(QSize picture, DispObj method, QSize box, QSize screen);

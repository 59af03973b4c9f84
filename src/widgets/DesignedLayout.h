// The window's controls are placed at designed pixel places that describe their arrangement
// at a small dialog font. Real fonts are wider and taller, so the whole arrangement is scaled
// by one factor, the smallest at which every caption is whole and no caption overlaps a
// neighbour (as dialog units do, but measured on the captions themselves).
//
// Data flow: MakeControl records each control's designed rectangle as a property; at the
// end of the window's construction ApplyDesignedLayout collects those controls with the
// size each needs for its caption, FitScale finds the factor, and every control gets its
// designed rectangle times that factor.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

// The property holding a control's designed rectangle; a zero width or height means the
// control takes its own size in that direction.
inline constexpr const char* DesignedRectProperty = "designedRect";
// The property holding the designed area of a page whose place its container decides; the
// page itself is never moved, but its children are kept inside its scaled size less the inset.
inline constexpr const char* DesignedAreaProperty = "designedArea";
inline constexpr const char* DesignedInsetProperty = "designedInset";

struct TDesignedItem {
  QRect designed;
  // What the control needs to show its caption whole; 0 x 0 for a control without caption
  // (it still counts as a neighbour that captions must not overlap).
  QSize needed;
  // Index of the enclosing item, or -1.
  int parent = -1;
  // How much smaller than its scaled rectangle the area for children is (a page's tab bar).
  QSize inset;
  // Fills no place of its own among its siblings (a page inside a page control).
  bool area = false;
  // Hidden controls are scaled with the rest but neither checked nor in anyone's way.
  bool shown = true;
};

// The rectangle of item at scale: place and given sizes scaled and rounded, sizes left open
// taken from what the item needs.
QRect ScaledRect(const TDesignedItem& item, double scale);

// True when at this scale every shown item with a caption is at least as large as it needs, lies
// inside its parent's area and overlaps no sibling (one inside the other does not count).
bool FitsAt(const std::vector<TDesignedItem>& items, double scale);

// The smallest scale of at least 1, in steps of 1/32, at which the items fit; maxScale when
// none up to it does.
double FitScale(const std::vector<TDesignedItem>& items, double maxScale = 4.0);

// Scales every control below window that MakeControl placed, and the window itself when it
// carries a designed rectangle; returns the scale used.
double ApplyDesignedLayout(QWidget* window);

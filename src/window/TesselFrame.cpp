// The frame of the properties window around its pages: the tab glyphs and the decorative
// strip under the page control.
#include <QLabel>
#include <QPixmap>
#include <QTabWidget>

#include "widgets/ProgramPicture.h"
#include "window/Tessel.h"

int TTesselForm1::PageControl1GlyphMap(int pageIndex) {
  constexpr int kSchedulePage = 1;
  constexpr int kAboutPage = 4;
  if (pageIndex == kSchedulePage) return 1;
  if (pageIndex == kAboutPage) return 0;
  return -1;
}

// Drawn once the window has its real size, behind the buttons of the strip.
void TTesselForm1::BuildBottomStrip() {
  BottomStrip = new QLabel(this);
  BottomStrip->setObjectName("BottomStrip");
  const int top = PageControl1->geometry().bottom();
  BottomStrip->setGeometry(0, top, width(), kBottomStripHeight);
  BottomStrip->setPixmap(QPixmap::fromImage(DrawBottomStrip(width())));
  BottomStrip->lower();
}

// The frame of the properties window around its pages: the page control with its tab
// glyphs, the buttons under it and the decorative strip behind them.
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <iterator>

#include "widgets/DesignedControls.h"
#include "widgets/ProgramPicture.h"
#include "window/Tessel.h"

void TTesselForm1::BuildFrame() {
  PageControl1 = MakeControl<QTabWidget>(this, "PageControl1", 0, 0, 529, 337);
  const char* captions[] = {"Images", "Schedule", "Advanced", "Desktop", "Folders", "Image Explorer", "About"};
  QWidget** pages[] = {&ImagesPage,  &SchedulePage, &AdvancedPage, &DesktopPage,
                       &FoldersPage, &ExplorerPage, &AboutPage};
  const char* names[] = {"ImagesPage",  "SchedulePage", "AdvancedPage", "DesktopPage",
                         "FoldersPage", "ExplorerPage", "AboutPage"};
  for (int i = 0; i < static_cast<int>(std::size(pages)); ++i) {
    *pages[i] = new QWidget;
    (*pages[i])->setObjectName(names[i]);
    PageControl1->addTab(*pages[i], captions[i]);
    const int glyph = PageControl1GlyphMap(i);
    if (glyph >= 0) PageControl1->setTabIcon(i, QIcon(QPixmap::fromImage(DrawTabGlyph(glyph))));
  }
  // A page is the page control less its tab bar and frame.
  const QSize pageInset(8, PageControl1->tabBar()->sizeHint().height() + 8);
  for (QWidget** page : pages) {
    (*page)->setProperty(DesignedAreaProperty, QRect(0, 0, 529, 337));
    (*page)->setProperty(DesignedInsetProperty, pageInset);
  }
  connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });
  const auto button = [this](QPushButton*& target, const char* name, const char* caption, int left) {
    target = MakeControl<QPushButton>(this, name, left, 352, 75, 25, caption);
  };
  button(Reload, "Reload", "Reload", 88);
  button(Save, "Save", "Save", 176);
  button(OK, "OK", "Start Agent", 336);
  button(Close, "Close", "Close", 432);
  SetUnsaved(false);
  Close->hide();
  connect(Reload, &QPushButton::clicked, this, Command([this] { ReloadClick(); }));
  connect(Save, &QPushButton::clicked, this, Command([this] { SaveClick(); }));
  connect(OK, &QPushButton::clicked, this, Command([this] { OKClick(OK); }));
  connect(Close, &QPushButton::clicked, this, Command([this] { CloseClick(Close); }));
}

int TTesselForm1::PageControl1GlyphMap(int pageIndex) {
  // The Schedule page shows the second glyph, the About page the first.
  constexpr int kGlyphs[] = {-1, 1, -1, -1, -1, -1, 0};
  return pageIndex >= 0 && pageIndex < static_cast<int>(std::size(kGlyphs)) ? kGlyphs[pageIndex] : -1;
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

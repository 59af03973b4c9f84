#include "window/AboutPage.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStringList>

#include "widgets/DesignedControls.h"
#include "widgets/ProgramPicture.h"

namespace {

constexpr int kContactLeft = 280;

void SetTextColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  widget->setPalette(palette);
}

QLabel* MakeContactLine(QWidget* banner, const char* name, const QString& text, int top, bool bold) {
  // Labels draw no background of their own, so the banner's black shows through.
  QLabel* label = MakeLabel(banner, name, text, kContactLeft, top, bold);
  // MakeLabel measures the caption before it turns the font bold.
  label->adjustSize();
  SetTextColor(label, bold ? Qt::white : QColor(192, 192, 192));
  return label;
}

void BuildBanner(QWidget* page) {
  auto* banner = MakeControl<QFrame>(page, "Panel1", 0, 0, 521, 70);
  banner->setFrameShape(QFrame::NoFrame);
  QPalette black = banner->palette();
  black.setColor(QPalette::Window, Qt::black);
  banner->setPalette(black);
  banner->setAutoFillBackground(true);

  auto* picture = MakeControl<QLabel>(banner, "Image3", 0, 0, kProgramPictureWidth, kProgramPictureHeight);
  picture->setPixmap(QPixmap::fromImage(DrawProgramPicture()));

  const char* names[] = {"ContactLine1", "ContactLine2", "ContactLine3", "ContactLine4"};
  const QString lines[] = {"Tesserine v1.0", "Changes your desktop wallpaper",
                           "Settings: tesserine.INI in the program's", "folder or in ~/.config/tesserine"};
  const int tops[] = {8, 23, 37, 51};
  for (int i = 0; i < 4; ++i) MakeContactLine(banner, names[i], lines[i], tops[i], i == 0);
}

}  // namespace

QString AboutText() {
  const QStringList lines = {
      "Tesserine is a program that will automatically change your desktop's background wallpaper.",
      "",
      "To specify the images that you want to display on your desktop select the Images Tab.  Press the Add.. ",
      "button to add an image to the list.  Tesserine supports bitmaps, JPEG's, and GIF's.  You can select ",
      "multiple files to add to the list from the Open Dialog.",
      "",
      "Press the 'Start Agent' button to start the agent.  The window will be minimized, and an icon will appear "
      "in ",
      "the System Tray.  Right click the icon to display the options menu.",
      "",
      "To control how the agent will run, select the Schedule Tab.  You can specify the frequency that the agent ",
      "will change your background wallpaper.  The agent selects an image from the list either in random or ",
      "sequential order.  You can also specify that when Tesserine runs it is initially minimized (to the ",
      "System Tray).",
      "",
      "To start Tesserine every time your computer starts, press the \"Create Shortcut in Startup Folder\" ",
      "button on the Schedule tab.",
  };
  return lines.join('\n');
}

void BuildAboutPage(QWidget* page) {
  BuildBanner(page);
  auto* memo = MakeControl<QPlainTextEdit>(page, "Memo1", 0, 72, 522, 234);
  memo->setReadOnly(true);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setPlainText(AboutText());
}

// Pictures the splash, every page of the properties window and the image viewer, each with
// the window manager's frame, as PNG files in the folder given as the first argument. The
// second argument, when given, scales the default font (1.5 for a font half as large again).
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeView>
#include <cstdio>

#include "platform/screen/ScreenMetrics.h"
#include "support/StandInServices.h"
#include "widgets/TFileListViewDlg.h"
#include "window/ImgDispFrm.h"
#include "window/SplashScreen.h"
#include "window/Tessel.h"

namespace {

void Settle() {
  for (int i = 0; i < 20; ++i) {
    QCoreApplication::processEvents();
    QThread::msleep(25);
  }
}

// The screen's pixels in area, into file.
bool ShootArea(const QRect& area, const QString& file) {
  const QPixmap picture =
      QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  const bool saved = picture.save(file);
  std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(file));
  return saved;
}

bool Shoot(QWidget* window, const QString& file) {
  Settle();
  return ShootArea(window->frameGeometry(), file);
}

// The list's shortcut menu over the entry with a dark partner, with the window behind it.
bool ShootMenu(TTesselForm1& form, const QString& file) {
  const int partnered =
      form.ImageList().Find(QDir(TESSERINE_TEST_DATA).absoluteFilePath("ok/baseline.jpg").toStdString());
  if (partnered < 0) return false;
  form.ImageList().ClearSelection();
  form.ImageList().SetSelected(partnered, true);
  form.ImageList().SetFocused(partnered);
  form.ListChanged();
  form.ItemSelectUpdt();
  const QRect row = form.ListView1->visualRect(form.ListView1->model()->index(partnered, 0));
  form.ImgPopupMenu->popup(form.ListView1->viewport()->mapToGlobal(row.center()));
  Settle();
  const bool saved = ShootArea(form.frameGeometry().united(form.ImgPopupMenu->frameGeometry()), file);
  form.ImgPopupMenu->hide();
  return saved;
}

// The watched folders the Folders page shows: one at a fixed place (so that the pictures
// come out the same at every run), with two pictures in a subfolder, and one on a disk
// that is not mounted.
const QString kWatched = QStringLiteral("/tmp/tesserine-screenshots/Wallpapers");

QByteArray WatchedFolders(const QString& data) {
  QDir(kWatched).removeRecursively();
  QDir().mkpath(kWatched + "/Holidays");
  QFile::copy(data + "/ok/rose24.bmp", kWatched + "/Holidays/rose.bmp");
  QFile::copy(data + "/ok/baseline.jpg", kWatched + "/Holidays/harbour.jpg");
  return "[Folders]\r\n" + kWatched.toUtf8() + "=1\r\n/media/usb/Wallpapers=0\r\n";
}

// The folder the Image Explorer shows: two small pictures and a large photograph-sized JPEG
// of soft bands, which the preview shrinks to its box.
const QString kExplorer = QStringLiteral("/tmp/tesserine-screenshots/Pictures");

void ExplorerFolder(const QString& data) {
  QDir(kExplorer).removeRecursively();
  QDir().mkpath(kExplorer);
  QFile::copy(data + "/ok/rose24.bmp", kExplorer + "/rose.bmp");
  QFile::copy(data + "/ok/baseline.jpg", kExplorer + "/harbour.jpg");
  QImage dunes(3000, 2000, QImage::Format_RGB32);
  for (int y = 0; y < dunes.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(dunes.scanLine(y));
    for (int x = 0; x < dunes.width(); ++x) {
      const int band = (x / 3 + y) % 400;
      line[x] = qRgb(200 - band / 4, 150 - band / 5, 90 + band / 4);
    }
  }
  dunes.save(kExplorer + "/dunes.jpg", "JPEG", 90);
}

QByteArray Configuration(const QString& data) {
  QByteArray text = "[Info]\r\nTrigger Qty=2\r\nTrigger Measure=HOURS\r\nAutoClose=1\r\nAutoClose Minutes=30\r\n";
  text += "ImgMgr Directory=" + kExplorer.toUtf8() + "\r\n[Bitmaps]\r\n";
  for (const char* entry : {"ok/rose24.bmp=MIRROR_TILE.NOT", "ok/baseline.jpg=CENTER.NOT", "ok/rose.gif=TILE.NOT",
                            "ok/progressive.jpg=RATIO_STRETCH.NOT"})
    text += data.toUtf8() + "/" + entry + "\r\n";
  // The harbour has a dark partner, which the list names after it.
  text += "[Dark]\r\n" + data.toUtf8() + "/ok/baseline.jpg=" + data.toUtf8() + "/ok/progressive.jpg\r\n";
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER [FONT-SCALE]\n", argv[0]);
    return 2;
  }
  if (argc > 2) {
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * QString(argv[2]).toDouble());
    QApplication::setFont(font);
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  bool ok = true;

  TSplashScreen splash;
  splash.ShowAndPaint();
  ok &= Shoot(&splash, out + "/splash.png");
  splash.close();

  QTemporaryDir dir;
  QFile ini(dir.filePath("tesserine.INI"));
  if (!ini.open(QIODevice::WriteOnly)) return 1;
  ExplorerFolder(QDir(TESSERINE_TEST_DATA).absolutePath());
  ini.write(Configuration(QDir(TESSERINE_TEST_DATA).absolutePath()) +
            WatchedFolders(QDir(TESSERINE_TEST_DATA).absolutePath()));
  ini.close();
  TStandInServicesOf<TQtScreenMetrics> services;
  TTesselForm1 form(services.Services((dir.path() + "/").toStdString(), ini.fileName().toStdString()));
  form.show();
  // The folders' pictures join once they have been left alone for a moment.
  for (int i = 0; i < 200 && (form.FoldersReading() || form.Agent().Folders().Listing()); ++i) Settle();
  form.ImageList().ClearSelection();
  form.ImageList().SetSelected(0, true);
  form.ImageList().SetFocused(0);
  form.ListChanged();
  form.ItemSelectUpdt();
  const char* pages[] = {"images", "schedule", "advanced", "desktop", "folders", "explorer", "about"};
  for (int page = 0; page < form.PageControl1->count(); ++page) {
    form.PageControl1->setCurrentIndex(page);
    if (form.PageControl1->currentWidget() == form.ExplorerPage) {
      // The first showing reads the folder; the large picture is then chosen for the preview.
      Settle();
      form.FileListViewDlg1->WaitForRead();
      ok &= form.FileListViewDlg1->SelectName("dunes.jpg");
    }
    ok &= Shoot(&form, out + "/page-" + pages[page] + ".png");
  }
  form.PageControl1->setCurrentIndex(0);
  ok &= ShootMenu(form, out + "/images-menu.png");
  form.DisplayClick();
  ok &= Shoot(form.ImgDispForm.get(), out + "/viewer.png");
  return ok ? 0 : 1;
}

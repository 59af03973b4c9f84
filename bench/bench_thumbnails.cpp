// Times the Image Explorer's file list on a folder of large JPEGs, against a plain
// "djpeg -scale 1/8" of the same files: time until every name shows, the longest stall of
// the event loop while thumbnails are made, and time until every thumbnail shows, with an
// empty (cold) and a filled (warm) thumbnail cache.
//
// Usage: bench_thumbnails [count [folder]]. count defaults to 2000; the pictures are made
// once in folder (default: a folder under the temporary directory) and kept for later runs.
// One 4000 x 3000 JPEG is encoded and the rest are hard links to it, so every file has its
// own name and thumbnail but the folder costs the disk one picture.
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "explorer/PictureThumbnail.h"
#include "widgets/TFileListViewDlg.h"

namespace {

QString PictureName(int i) { return QString("photo%1.jpg").arg(i, 5, 10, QChar('0')); }

bool MakeFolder(const QString& folder, int count) {
  QDir().mkpath(folder);
  const QString first = folder + '/' + PictureName(0);
  if (!QFile::exists(first)) {
    QImage picture(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 4000, 3000);
    gradient.setColorAt(0, Qt::darkBlue);
    gradient.setColorAt(1, Qt::yellow);
    painter.fillRect(picture.rect(), gradient);
    for (int i = 0; i < 400; ++i)
      painter.fillRect((i * 997) % 3900, (i * 613) % 2900, 100, 100, QColor::fromHsv((i * 37) % 360, 200, 200));
    painter.end();
    if (!picture.save(first, "JPEG", 90)) return false;
  }
  for (int i = 1; i < count; ++i) {
    const QString name = folder + '/' + PictureName(i);
    if (QFile::exists(name)) continue;
    if (link(QFile::encodeName(first).constData(), QFile::encodeName(name).constData()) != 0 &&
        !QFile::copy(first, name))
      return false;
  }
  return true;
}

double DjpegSeconds(const QString& folder, int count) {
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < count; ++i) {
    QProcess djpeg;
    djpeg.start("djpeg", {"-scale", "1/8", "-outfile", "/dev/null", folder + '/' + PictureName(i)});
    djpeg.waitForFinished(-1);
  }
  return clock.nsecsElapsed() / 1e9;
}

struct ListRun {
  double namesSeconds = 0;
  double allSeconds = 0;
  double longestStallMs = 0;
};

ListRun TimeList(const QString& folder) {
  TFileListViewDlg list;
  list.resize(300, 400);
  list.show();
  list.SetMask("*.jpg");
  list.SetThumbnailMaker(MakePictureThumbnail);
  ListRun run;
  QEventLoop loop;
  QElapsedTimer clock, sinceTick;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  ticker.setInterval(1);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    run.longestStallMs = std::max(run.longestStallMs, sinceTick.nsecsElapsed() / 1e6);
    sinceTick.restart();
  });
  QObject::connect(&list, &TFileListViewDlg::DirectoryRead, [&] { run.namesSeconds = clock.nsecsElapsed() / 1e9; });
  QObject::connect(&list, &TFileListViewDlg::ThumbnailsDone, [&] {
    run.allSeconds = clock.nsecsElapsed() / 1e9;
    loop.quit();
  });
  clock.start();
  sinceTick.start();
  ticker.start();
  list.SetDirectory(folder);
  loop.exec();
  return run;
}

void Report(const char* label, const ListRun& run, double djpeg) {
  std::printf("%-5s names %.3f s (%.4f x djpeg), all thumbnails %.2f s (%.2f x djpeg), longest stall %.1f ms\n", label,
              run.namesSeconds, run.namesSeconds / djpeg, run.allSeconds, run.allSeconds / djpeg, run.longestStallMs);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir cache;
  qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
  QApplication app(argc, argv);
  const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
  const QString folder = argc > 2 ? QString(argv[2]) : QDir::tempPath() + "/tesserine-bench-thumbnails";
  if (count < 1 || !MakeFolder(folder, count)) {
    std::fprintf(stderr, "cannot make %d pictures in %s\n", count, qPrintable(folder));
    return 1;
  }
  const double djpeg = DjpegSeconds(folder, count);
  std::printf("%d JPEGs of 4000 x 3000 in %s; djpeg -scale 1/8, one after another: %.2f s\n", count, qPrintable(folder),
              djpeg);
  Report("cold", TimeList(folder), djpeg);
  Report("warm", TimeList(folder), djpeg);
  return 0;
}

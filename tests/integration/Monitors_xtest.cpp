// The real program as agent on an X root with two monitors of different sizes, one of them
// portrait: with "Next image on each" every monitor shows its own entry made for its size,
// with "One image across all" one picture runs across both, and the root outside them stays
// black. Read back from the root's pixmap.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

#include "ProgramRun.h"
#include "picture/JpegDecoder.h"
#include "picture/PictureTestTools.h"
#include "support/PlasmaJpeg.h"
#include "support/WaitFor.h"
#include "support/XrandrMonitors.h"
#include "wallpaper/MonitorPictures.h"

// Xlib's macros clash with Qt's names, so its headers come last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "support/X11RootPixels.h"

namespace {

const QRect kLandscape(0, 0, 800, 600);
const QRect kPortrait(800, 0, 480, 640);

class MonitorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!qEnvironmentVariableIsSet("DISPLAY")) GTEST_SKIP() << "needs an X display";
    display_ = XOpenDisplay(nullptr);
    ASSERT_TRUE(display_);
    root_ = QSize(DisplayWidth(display_, 0), DisplayHeight(display_, 0));
    ASSERT_TRUE(CopyProgram(dir_.filePath("tesserine")));
    monitors_ = std::make_unique<TXrandrMonitors>(std::vector<QRect>{kLandscape, kPortrait}, 0);
    ASSERT_TRUE(monitors_->Ok()) << "xrandr --setmonitor failed";
  }

  void TearDown() override {
    if (program_.state() != QProcess::NotRunning) {
      program_.terminate();
      if (!program_.waitForFinished(20000)) program_.kill();
      program_.waitForFinished();
    }
    monitors_.reset();
    if (display_) XCloseDisplay(display_);
  }

  QString Save(const QString& name, const QImage& picture) {
    EXPECT_TRUE(picture.save(dir_.filePath(name), "BMP"));
    return dir_.filePath(name);
  }

  static QImage Solid(QRgb colour, QSize size = {16, 16}) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
  }

  void Start(const QByteArray& mode, const QByteArray& bitmaps) {
    QFile ini(dir_.filePath("tesserine.INI"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(
        "[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nTrigger Measure=HOURS\r\nTrigger "
        "Qty=1\r\nSortImages=0\r\nMonitors=" +
        mode + "\r\n\r\n[Bitmaps]\r\n" + bitmaps);
    ini.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TESSERINE_DESKTOP", "x11");
    environment.insert("TESSERINE_MESSAGE_LOG", dir_.filePath("messages.log"));
    environment.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
    program_.setProcessEnvironment(environment);
    program_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program_.start(dir_.filePath("tesserine"), {});
    ASSERT_TRUE(program_.waitForStarted());
  }

  QImage RootPixmap() {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, DefaultRootWindow(display_), XInternAtom(display_, "_XROOTPMAP_ID", False), 0, 1,
                       False, XA_PIXMAP, &type, &format, &count, &after, &data);
    const Pixmap pixmap = type == XA_PIXMAP && count == 1 ? *reinterpret_cast<Pixmap*>(data) : 0;
    if (data) XFree(data);
    return pixmap ? ReadDrawable(display_, pixmap, root_) : QImage();
  }

  // Whether the root comes to show each colour at its point.
  ::testing::AssertionResult RootShows(const std::vector<std::pair<QPoint, QRgb>>& expected) {
    QImage shown;
    const bool ok = WaitFor(
        [&] {
          shown = RootPixmap();
          if (shown.isNull()) return false;
          for (const auto& [at, colour] : expected)
            if (shown.pixel(at) != colour) return false;
          return true;
        },
        30000);
    if (ok) return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    for (const auto& [at, colour] : expected)
      failure << at.x() << "," << at.y() << " shows " << std::hex << (shown.isNull() ? 0 : shown.pixel(at))
              << " instead of " << colour << std::dec << "; ";
    return failure;
  }

  // Whether the root comes to show, on each monitor's rectangle, the picture given for it.
  ::testing::AssertionResult MonitorsShow(const std::vector<std::pair<QRect, QImage>>& expected) {
    ::testing::AssertionResult last = ::testing::AssertionFailure() << "the root has no pixmap";
    WaitFor(
        [&] {
          const QImage shown = RootPixmap();
          if (shown.isNull()) return false;
          for (const auto& [rect, picture] : expected) {
            last = SamePixels(shown.copy(rect), picture);
            if (!last) {
              last << " on the monitor at " << rect.x() << "," << rect.y();
              return false;
            }
          }
          return true;
        },
        30000);
    return last;
  }

  QTemporaryDir dir_;
  Display* display_ = nullptr;
  QSize root_;
  std::unique_ptr<TXrandrMonitors> monitors_;
  QProcess program_;
};

TEST_F(MonitorsTest, NextImageOnEachMonitorMadeForItsSize) {
  const QString red = Save("red.bmp", Solid(qRgb(255, 0, 0)));
  const QString green = Save("green.bmp", Solid(qRgb(0, 255, 0), {40, 30}));
  const QString blue = Save("blue.bmp", Solid(qRgb(0, 0, 255), {40, 30}));
  // The selected entry is red: the first change shows green on the primary monitor and blue,
  // the next entry, on the other; blue is stretched to the portrait monitor's size.
  Start("EACH",
        red.toUtf8() + "=TILE.NOT\r\n" + green.toUtf8() + "=CENTER.NOT\r\n" + blue.toUtf8() + "=STRETCH.NOT\r\n");
  EXPECT_TRUE(RootShows({{{400, 300}, qRgb(0, 255, 0)},
                         {{5, 5}, qRgb(0, 0, 0)},
                         {{810, 5}, qRgb(0, 0, 255)},
                         {{1270, 630}, qRgb(0, 0, 255)},
                         {{1500, 700}, qRgb(0, 0, 0)}}));
  EXPECT_EQ(QImageReader(dir_.filePath("Tesserina Convert.BMP")).size(), kLandscape.size());
  EXPECT_EQ(QImageReader(dir_.filePath("Tesserina Convert 2.BMP")).size(), kPortrait.size());
  QFile log(dir_.filePath("messages.log"));
  EXPECT_FALSE(log.exists() && log.size() > 0);
}

TEST_F(MonitorsTest, OneImageAcrossAllMonitors) {
  // Left half red, right half blue, stretched across the 1280 x 640 span of both monitors.
  QImage halves(64, 32, QImage::Format_RGB32);
  for (int x = 0; x < 64; ++x)
    for (int y = 0; y < 32; ++y) halves.setPixel(x, y, x < 32 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
  const QString picture = Save("halves.bmp", halves);
  Start("SPAN", picture.toUtf8() + "=STRETCH.NOT\r\n");
  EXPECT_TRUE(RootShows({{{100, 100}, qRgb(255, 0, 0)},
                         {{630, 100}, qRgb(255, 0, 0)},
                         {{700, 100}, qRgb(0, 0, 255)},
                         {{1200, 600}, qRgb(0, 0, 255)},
                         {{400, 620}, qRgb(0, 0, 0)}}));
  EXPECT_FALSE(QFile::exists(dir_.filePath("Tesserina Convert 3.BMP")));
}

// Large JPEGs made for each monitor are decoded only as far as the monitor shows them; a
// centred one still lands pixel for pixel where its whole decode does, on each monitor and
// across both.
TEST_F(MonitorsTest, LargeCentredJpegsShowAsTheirWholeDecodeWould) {
  const QString red = Save("red.bmp", Solid(qRgb(255, 0, 0)));
  const std::string landscape = MadePlasmaJpeg(dir_, "landscape.jpg", {2001, 1501});
  const std::string portrait = MadePlasmaJpeg(dir_, "portrait.jpg", {1203, 1901});
  ASSERT_FALSE(landscape.empty() || portrait.empty()) << "convert failed";
  const QImage wholeLandscape = DecodeJpeg(landscape), wholePortrait = DecodeJpeg(portrait);
  // The first change shows the entry after the selected one on the primary monitor, the next
  // on the other.
  Start("EACH", red.toUtf8() + "=TILE.NOT\r\n" + QByteArray::fromStdString(landscape) + "=CENTER.NOT\r\n" +
                    QByteArray::fromStdString(portrait) + "=CENTER.NOT\r\n");
  EXPECT_TRUE(MonitorsShow({{kLandscape, FillArea(wholeLandscape, DispObj::Center, kLandscape.size(), 0)},
                            {kPortrait, FillArea(wholePortrait, DispObj::Center, kPortrait.size(), 0)}}));
  program_.terminate();
  ASSERT_TRUE(program_.waitForFinished(20000));

  Start("SPAN", QByteArray::fromStdString(portrait) + "=CENTER.NOT\r\n");
  const QRect span = SpanRect({kLandscape, kPortrait});
  const QImage canvas = FillArea(wholePortrait, DispObj::Center, span.size(), 0);
  EXPECT_TRUE(
      MonitorsShow({{kLandscape, PartOf(canvas, span, kLandscape)}, {kPortrait, PartOf(canvas, span, kPortrait)}}));
}

}  // namespace

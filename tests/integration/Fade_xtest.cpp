// The real program's fade on the X root: a change blends the root into the next picture and
// lands on it exactly, while the program answers commands; "Fade Milliseconds=0" changes at
// once; and a hundred changes, each cut short by the next, leave one pixmap held.
#include <QImage>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <vector>

#include "BusProgramTest.h"
#include "support/X11RootPixmaps.h"

namespace {

constexpr QRgb kColours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
const char* const kNames[] = {"red.bmp", "green.bmp", "blue.bmp"};

// A colour between two of the pictures': some channel neither off nor full.
bool Blended(QRgb pixel) {
  for (int channel : {qRed(pixel), qGreen(pixel), qBlue(pixel)})
    if (channel > 8 && channel < 247) return true;
  return false;
}

class FadeTest : public TBusProgramTest {
 protected:
  // The agent with three plain pictures that changes only when told, fading over fadeMs.
  void StartAgent(int fadeMs) {
    QByteArray ini =
        "[Info]\r\nFade Milliseconds=" + QByteArray::number(fadeMs) +
        "\r\nOpen Minimized=1\r\nTrigger Measure=DAYS\r\nTrigger Qty=1\r\nSortImages=0\r\n\r\n[Bitmaps]\r\n";
    for (int i = 0; i < 3; ++i) {
      QImage picture(16, 16, QImage::Format_RGB32);
      picture.fill(kColours[i]);
      ASSERT_TRUE(picture.save(Dir() + "/" + kNames[i], "BMP"));
      ini += (Dir() + "/" + kNames[i]).toUtf8() + "=TILE.NOT\r\n";
    }
    ASSERT_TRUE(TProgramRun::Write(run_.Ini(), ini));
    Start();
    // The start's change shows the second picture, after the first.
    ASSERT_TRUE(TProgramRun::WaitFor([this] { return RootPixel() == kColours[1]; }, 20000))
        << "the agent's first change never landed";
  }

  // The root's pixels read as often as the server answers, for ms milliseconds.
  std::vector<QRgb> WatchRoot(int ms) {
    std::vector<QRgb> seen;
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
      seen.push_back(RootPixel());
      QThread::msleep(15);
    }
    return seen;
  }
};

}  // namespace

TEST_F(FadeTest, AChangeBlendsIntoTheNextPictureAndLandsOnItWhileTheProgramAnswers) {
  StartAgent(3000);
  ASSERT_EQ(Command({"--next"}).exitCode, 0);
  // Midway through the fade, the root shows neither picture, and the program answers.
  const std::vector<QRgb> midway = WatchRoot(800);
  EXPECT_TRUE(std::any_of(midway.begin(), midway.end(), Blended)) << "no blended colour during the fade";
  EXPECT_EQ(Command({"--status"}).exitCode, 0) << "the program did not answer during the fade";
  EXPECT_TRUE(TProgramRun::WaitFor([this] { return RootPixel() == kColours[2]; }, 8000))
      << "the fade did not land on the new picture: " << std::hex << RootPixel();
  // The frames between name only _XROOTPMAP_ID; the final one is published as a change at once is.
  EXPECT_TRUE(TProgramRun::WaitFor(
      [this] {
        const std::optional<Pixmap> shown = RootPixmapProperty(display_, "_XROOTPMAP_ID");
        return shown && RootPixmapProperty(display_, "ESETROOT_PMAP_ID") == shown;
      },
      5000))
      << "the final frame was not published as ever";
  const std::optional<Pixmap> shown = RootPixmapProperty(display_, "_XROOTPMAP_ID");
  ASSERT_TRUE(shown);
  EXPECT_TRUE(LivePixmapSize(display_, *shown));
  EXPECT_EQ(RootPixel(), kColours[2]);
}

TEST_F(FadeTest, AtFadeZeroTheChangeIsAtOnce) {
  StartAgent(0);
  ASSERT_EQ(Command({"--next"}).exitCode, 0);
  EXPECT_EQ(RootPixel(), kColours[2]) << "the change had not landed when the command returned";
  const std::vector<QRgb> after = WatchRoot(300);
  EXPECT_TRUE(std::none_of(after.begin(), after.end(), Blended));
}

TEST_F(FadeTest, AHundredChangesEachCutShortByTheNextHoldOnePixmap) {
  StartAgent(200);
  QThread::msleep(400);
  const int held = ServerPixmapCount(display_);
  if (held < 0) GTEST_SKIP() << "the X server does not count its clients' pixmaps";
  for (int i = 0; i < 100; ++i) ASSERT_EQ(Command({"--next"}).exitCode, 0) << "change " << i;
  ASSERT_TRUE(TProgramRun::WaitFor([this] { return !Blended(RootPixel()); }, 5000));
  QThread::msleep(400);
  EXPECT_EQ(ServerPixmapCount(display_), held) << "the fades left pixmaps behind";
  // The hundredth change after the first picture's: the second picture again, then 100 more.
  EXPECT_EQ(RootPixel(), kColours[(1 + 100) % 3]);
}

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "picture/PictureErrors.h"
#include "picture/PictureTestTools.h"
#include "picture/TGIFImage.h"

namespace {

constexpr QRgb Clear = 0;
const QRgb Shade = qRgb(10, 20, 30);  // palette colour of the transparent index of frame 1
const QRgb Red = qRgb(255, 0, 0);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Yellow = qRgb(200, 200, 0);

// One character per pixel: '.' transparent, 's' shade, 'r' red, 'g' green, 'b' blue, 'y' yellow.
std::vector<std::string> Rows(const QImage& image) {
  std::vector<std::string> rows;
  for (int y = 0; y < image.height(); ++y) {
    std::string row;
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qAlpha(p) == 0) {
        row += '.';
        continue;
      }
      const std::pair<QRgb, char> names[] = {{Shade, 's'}, {Red, 'r'}, {Green, 'g'}, {Blue, 'b'}, {Yellow, 'y'}};
      char c = '?';
      for (const auto& [colour, name] : names)
        if (p == colour) c = name;
      row += c;
    }
    rows.push_back(row);
  }
  return rows;
}

using Picture = std::vector<std::string>;

TEST(TGIFImage, FramesComposedWithOffsetsPalettesTransparencyAndDisposal) {
  TGIFImage gif;
  ASSERT_TRUE(gif.LoadFromFile(DataFile("ok/anim.gif")));
  ASSERT_EQ(gif.FrameCount(), 4);
  EXPECT_EQ(gif.Width(), 8);
  EXPECT_EQ(gif.Height(), 6);
  const Picture frames[] = {
      // Full red frame; index 0 transparent. Disposal: keep.
      {"rrrrrrrr", "r.rrrrrr", "rrrrrrrr", "rrrrrr.r", "rrrrrrrr", "rrrrrrrr"},
      // 3 x 2 at (2, 1), local palette, its index 1 transparent. Disposal: background.
      {"rrrrrrrr", "r.yryrrr", "rryyrrrr", "rrrrrr.r", "rrrrrrrr", "rrrrrrrr"},
      // The previous frame's area cleared, then 2 x 2 green at (4, 3). Disposal: previous.
      {"rrrrrrrr", "r....rrr", "rr...rrr", "rrrrgg.r", "rrrrggrr", "rrrrrrrr"},
      // Back to before the green frame, then 4 x 2 blue at (6, 0), cut at the screen's edge.
      {"rrrrrrbb", "r....rbb", "rr...rrr", "rrrrrr.r", "rrrrrrrr", "rrrrrrrr"},
  };
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(gif.Frame(i).format(), QImage::Format_ARGB32);
    EXPECT_EQ(Rows(gif.Frame(i)), frames[i]) << "frame " << i;
  }
  const int delays[] = {100, 200, 0, 0};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(gif.Delay(i), delays[i]) << "frame " << i;
}

TEST(TGIFImage, BitmapShowsThePaletteColourOfTheTransparentIndex) {
  TGIFImage gif;
  ASSERT_TRUE(gif.LoadFromFile(DataFile("ok/anim.gif")));
  EXPECT_EQ(gif.Bitmap().format(), QImage::Format_RGB32);
  const Picture expected = {"rrrrrrrr", "rsrrrrrr", "rrrrrrrr", "rrrrrrsr", "rrrrrrrr", "rrrrrrrr"};
  EXPECT_EQ(Rows(gif.Bitmap()), expected);
}

TEST(TGIFImage, InterlacedRowsLandInPlace) {
  TGIFImage gif;
  ASSERT_TRUE(gif.LoadFromFile(DataFile("ok/interlaced.gif")));
  ASSERT_EQ(gif.Bitmap().size(), QSize(3, 10));
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(gif.Bitmap().pixel(0, y), qRgb(10 * y, 0, 0)) << y;
    EXPECT_EQ(gif.Bitmap().pixel(1, y), qRgb(255, 255, 255)) << y;
  }
}

TEST(TGIFImage, ScreenOfZeroTakesTheFirstFramesExtent) {
  TGIFImage gif;
  ASSERT_TRUE(gif.LoadFromFile(DataFile("ok/noscreen.gif")));
  ASSERT_EQ(gif.Bitmap().size(), QSize(3, 3));
  EXPECT_EQ(gif.Bitmap().pixel(1, 1), qRgb(255, 255, 255));
  EXPECT_EQ(gif.Bitmap().pixel(2, 1), qRgb(0, 0, 0));
  EXPECT_EQ(qAlpha(gif.Frame(0).pixel(0, 0)), 0);
}

TEST(TGIFImage, RealPictureMatchesImageMagick) {
  TGIFImage gif;
  ASSERT_TRUE(gif.LoadFromFile(DataFile("ok/rose.gif")));
  EXPECT_EQ(gif.FrameCount(), 1);
  EXPECT_TRUE(SamePixels(gif.Bitmap(), MagickDecode(DataFile("ok/rose.gif"))));
}

TEST(TGIFImage, FileCutAfterTheFirstFrameKeepsIt) {
  TGIFImage gif;
  ASSERT_TRUE(gif.LoadFromFile(DataFile("bad/cut-in-second-frame.gif")));
  EXPECT_EQ(gif.FrameCount(), 1);
  EXPECT_EQ(gif.Bitmap().size(), QSize(8, 6));
}

template <typename Error>
bool Is(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const Error&) {
    return true;
  } catch (...) {
    return false;
  }
}

TEST(TGIFImage, BadFilesFailAndLeaveItEmpty) {
  const std::pair<const char*, bool (*)(std::exception_ptr)> cases[] = {
      {"bad/no-such-file.gif", Is<TFileOpenError>},
      {"bad", Is<TFileOpenError>},
      {"bad/empty.gif", Is<TDecodeError>},
      {"bad/header-only.gif", Is<TDecodeError>},
      {"bad/random.gif", Is<TDecodeError>},
      {"bad/magic-then-garbage.gif", Is<TDecodeError>},
      {"bad/cut-in-first-frame.gif", Is<TDecodeError>},
      {"bad/frame-65535.gif", Is<TDecodeError>},
      {"ok/baseline.jpg", Is<TDecodeError>},
      {"bad/screen-65535.gif", Is<TPictureTooLarge>},
  };
  TGIFImage gif;
  for (const auto& [file, expectedError] : cases) {
    ASSERT_TRUE(gif.LoadFromFile(DataFile("ok/anim.gif")));
    EXPECT_FALSE(gif.LoadFromFile(DataFile(file))) << file;
    EXPECT_TRUE(expectedError(gif.LastError())) << file;
    EXPECT_EQ(gif.FrameCount(), 0) << file;
    EXPECT_TRUE(gif.Bitmap().isNull()) << file;
  }
}

}  // namespace

// Further monitors' pictures made on worker threads: each from its own file, method and
// area, given back in the sources' order whatever order the threads finish in, and a failure
// passed on to the thread that takes them.
#include "wallpaper/PictureJobs.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "picture/JpegDecoder.h"
#include "picture/PictureTestTools.h"
#include "wallpaper/Compositions.h"
#include "wallpaper/MonitorPictures.h"

namespace {

class PictureJobsTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;

  std::string Plain(const char* name, QRgb colour, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    const QString path = dir.filePath(name);
    picture.save(path);
    return path.toStdString();
  }
};

TEST_F(PictureJobsTest, EachPictureIsItsOwnFileOnItsOwnAreaInTheSourcesOrder) {
  const QRgb red = qRgb(200, 0, 0), green = qRgb(0, 200, 0), blue = qRgb(0, 0, 200), fill = qRgb(7, 7, 7);
  // The first is the largest, so it tends to finish last.
  const std::vector<MonitorSource> sources{
      {Plain("big.png", red, {3000, 2000}), DispObj::Stretch, {640, 480}},
      {Plain("small.bmp", green, {10, 10}), DispObj::Center, {100, 50}},
      {Plain("tile.png", blue, {4, 4}), DispObj::Tile, {30, 70}},
      {dir.filePath("missing.jpg").toStdString(), DispObj::Stretch, {20, 20}},
  };
  TPictureJobs jobs(sources, fill);
  const std::vector<QImage> pictures = jobs.Take();
  ASSERT_EQ(pictures.size(), sources.size());
  for (std::size_t i = 0; i < sources.size(); ++i) EXPECT_EQ(pictures[i].size(), sources[i].area) << i;
  EXPECT_EQ(pictures[0].pixel(639, 479), red);
  EXPECT_EQ(pictures[1].pixel(50, 25), green);
  EXPECT_EQ(pictures[1].pixel(0, 0), qRgb(0, 0, 0));  // centred on black
  EXPECT_EQ(pictures[2].pixel(29, 69), blue);
}

TEST_F(PictureJobsTest, APictureThatCannotBeMadeFailsTheTake) {
  const std::string file = Plain("one.png", qRgb(1, 2, 3), {8, 8});
  TPictureJobs jobs({{file, DispObj::Stretch, {16, 16}}, {file, DispObj::Stretch, {200000, 200000}}}, 0);
  EXPECT_THROW(jobs.Take(), TCompositionError);
  EXPECT_TRUE(jobs.Take().empty());
}

// A JPEG is decoded only as far as the monitor shows it: a stretch reduced as djpeg scales it
// and averaged to the size it takes, a centred picture only its middle, which lands pixel for
// pixel where the whole one does; a tile takes the whole picture.
TEST_F(PictureJobsTest, AJpegIsDecodedAsFarAsItsMonitorShowsIt) {
  const std::string jpeg = DataFile("ok/baseline.jpg");  // 70 x 46
  const QImage whole = DecodeJpeg(jpeg);
  const auto reduced = [&](const char* scale, QSize size) {
    return ReferenceDecode("djpeg", {"-scale", scale, "-pnm", QString::fromStdString(jpeg)})
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  };
  const QRgb fill = qRgb(7, 7, 7);
  const struct {
    DispObj method;
    QSize area;
    QImage decoded;  // what the job must have decoded
  } rows[] = {
      {DispObj::Center, {31, 21}, whole},
      {DispObj::Center, {24, 50}, whole},
      {DispObj::Center, {100, 61}, whole},
      {DispObj::Stretch, {30, 20}, reduced("4/8", {30, 20})},
      {DispObj::Stretch, {20, 30}, reduced("6/8", {20, 30})},
      {DispObj::RatioStretch, {40, 40}, reduced("5/8", {40, 27})},
      {DispObj::Stretch, {140, 92}, whole},
      {DispObj::Tile, {20, 20}, whole},
  };
  std::vector<MonitorSource> sources;
  for (const auto& row : rows) sources.push_back({jpeg, row.method, row.area});
  TPictureJobs jobs(sources, fill);
  const std::vector<QImage> pictures = jobs.Take();
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    ASSERT_FALSE(rows[i].decoded.isNull());
    EXPECT_TRUE(SamePixels(pictures[i], FillArea(rows[i].decoded, rows[i].method, rows[i].area, fill))) << i;
  }
}

}  // namespace

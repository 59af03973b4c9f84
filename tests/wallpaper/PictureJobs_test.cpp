// Further monitors' pictures made on worker threads: each from its own file, method and
// area, given back in the sources' order whatever order the threads finish in, and a failure
// passed on to the thread that takes them.
#include "wallpaper/PictureJobs.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "wallpaper/Compositions.h"

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

}  // namespace

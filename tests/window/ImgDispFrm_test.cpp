#include "window/ImgDispFrm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>

#include "picture/BmpFile.h"
#include "picture/PictureErrors.h"
#include "support/FixedScreenMetrics.h"
#include "widgets/PaintBox.h"

namespace {

std::string DataFile(const std::string& relative) { return std::string(TESSERINE_TEST_DATA) + "/" + relative; }

void Click(QWidget* widget, QPoint at) {
  const QPoint global = widget->mapToGlobal(at);
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QApplication::sendEvent(widget, &release);
}

class ImgDispForm : public ::testing::Test {
 protected:
  void ExpectShows(const std::string& name, const QImage& picture, QSize client, int closeLeft) {
    EXPECT_EQ(form.ShowImageName, name);
    EXPECT_EQ(form.windowTitle().toStdString(), name);
    EXPECT_EQ(form.toolTip().toStdString(), name);
    EXPECT_EQ(form.ViewBitmap, picture) << name;
    EXPECT_EQ(form.size(), client) << name;
    EXPECT_EQ(form.Close->geometry(), QRect(closeLeft, 0, 65, 25)) << name;
    EXPECT_EQ(form.PaintBox1->geometry(), QRect(QPoint(0, 24), picture.size())) << name;
    const QSize outer = form.frameGeometry().size();
    EXPECT_EQ(form.pos(), QPoint(512 - outer.width() / 2, 384 - outer.height() / 2)) << name;
  }

  TFixedScreenMetrics screen{QSize(1024, 768)};
  TImgDispForm form{screen};
};

TEST_F(ImgDispForm, LoadingASecondPictureReplacesEverything) {
  EXPECT_EQ(form.objectName(), "ImgDispForm");
  EXPECT_EQ(form.Close->text(), "Close");
  const std::string rose = DataFile("ok/rose24.bmp");
  form.LoadImage(rose);
  ExpectShows(rose, ReadBmp(rose), {160, 76}, 48);

  form.show();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QImage wide(300, 200, QImage::Format_RGB32);
  for (int y = 0; y < wide.height(); ++y)
    for (int x = 0; x < wide.width(); ++x) wide.setPixel(x, y, qRgb(x % 256, y, 77));
  const std::string widePath = folder.filePath("wide.bmp").toStdString();
  WriteBmp(wide, widePath);
  form.LoadImage(widePath);
  ExpectShows(widePath, wide, {310, 230}, 123);
  EXPECT_EQ(form.PaintBox1->grab().toImage().convertToFormat(QImage::Format_RGB32), wide);
}

TEST_F(ImgDispForm, FilesThatGiveNoPictureShowAnEmptyWindow) {
  for (const std::string& name : {DataFile("ok/missing.bmp"), DataFile("ok/missing.jpg"), DataFile("bad/random.gif"),
                                  DataFile("ok/missing.png"), DataFile("ok/missing.webp")}) {
    form.LoadImage(DataFile("ok/rose24.bmp"));
    form.LoadImage(name);
    ExpectShows(name, QImage(), {160, 30}, 48);
  }
}

TEST_F(ImgDispForm, CorruptBitmapOrJpegThrowsAndLeavesTheWindowAsItWas) {
  const std::string rose = DataFile("ok/rose24.bmp");
  form.LoadImage(rose);
  EXPECT_THROW(form.LoadImage(DataFile("bad/wrong-magic.bmp")), TInvalidBitmap);
  EXPECT_THROW(form.LoadImage(DataFile("bad/random.jpg")), TDecodeError);
  EXPECT_THROW(form.LoadImage(DataFile("bad/truncated.png")), TDecodeError);
  EXPECT_THROW(form.LoadImage(DataFile("bad/truncated.webp")), TDecodeError);
  EXPECT_THROW(form.LoadImage(DataFile("bad/huge.png")), TPictureTooLarge);
  ExpectShows(rose, ReadBmp(rose), {160, 76}, 48);
}

TEST_F(ImgDispForm, CloseButtonAndAClickOnThePictureHide) {
  form.LoadImage(DataFile("ok/rose24.bmp"));
  form.show();
  form.Close->click();
  EXPECT_FALSE(form.isVisible());

  form.show();
  Click(form.PaintBox1, {80, 10});  // released outside the picture: no click
  EXPECT_TRUE(form.isVisible());
  Click(form.PaintBox1, {10, 10});
  EXPECT_FALSE(form.isVisible());
}

}  // namespace

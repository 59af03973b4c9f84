#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeView>

#include "picture/PictureErrors.h"
#include "support/WaitFor.h"
#include "widgets/PaintBox.h"
#include "widgets/TDirectoryComboDlg.h"
#include "widgets/TFileListViewDlg.h"
#include "widgets/TFilterComboBox.h"
#include "widgets/TGIFImageView.h"
#include "window/FormFixture.h"

namespace {

class ExplorerTest : public FormTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(dir.path()).mkpath("pics/sub"));
    Picture("small.bmp", {100, 50});
    Picture("wide.bmp", {500, 100});
    Picture("third.bmp", {20, 20});
    ASSERT_TRUE(QFile::copy(QString(TESSERINE_TEST_DATA) + "/ok/anim.gif", Pics("anim.gif")));
    ASSERT_TRUE(QFile::copy(QString(TESSERINE_TEST_DATA) + "/bad/random-bm.bmp", Pics("corrupt.bmp")));
    QFile notes(Pics("notes.txt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(Pics("notes.txt"), Pics("notes.jpg")));
    ASSERT_TRUE(QFile::link(Pics("nowhere.jpg"), Pics("dangling.jpg")));
  }

  QString Pics(const QString& name = {}) const { return dir.path() + "/pics" + (name.isEmpty() ? "" : "/" + name); }

  void Picture(const QString& name, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(Pics(name), "BMP"));
  }

  // Opens the window with these Bitmaps lines and shows the Image Explorer once.
  void OpenExplorer(const QByteArray& bitmaps = {}) {
    OpenWith("[Info]\r\nImgMgr Directory=" + Pics().toUtf8() + "\r\nIMSplitter=250\r\n[Bitmaps]\r\n" + bitmaps);
    form->PageControl1->setCurrentWidget(form->ExplorerPage);
    form->PageControl1Change();
    form->IMPaintBox1->grab();
    form->FileListViewDlg1->WaitForRead();
  }

  void Choose(const QString& name) {
    ASSERT_TRUE(form->FileListViewDlg1->SelectName(name)) << name.toStdString();
    form->SetExplorerButtons();
  }

  bool OptionsEnabled() const {
    return form->IMShrink->isEnabled() && form->IMTile->isEnabled() && form->IMStretch->isEnabled();
  }
  // Which button offers itself: "Add", "Remove", or "none" when both are disabled.
  std::string Offered() const {
    if (form->IMRemove->isEnabled() && !form->IMAdd->isEnabled()) return form->IMRemove->isHidden() ? "?" : "Remove";
    if (form->IMAdd->isEnabled() && !form->IMRemove->isEnabled()) return form->IMAdd->isHidden() ? "?" : "Add";
    if (!form->IMAdd->isEnabled() && !form->IMRemove->isEnabled() && !form->IMAdd->isHidden()) return "none";
    return "?";
  }
};

TEST_F(ExplorerTest, FirstPaintReadsTheStoredFolder) {
  OpenWith("[Info]\r\nImgMgr Directory=" + Pics().toUtf8() + "\r\n");
  EXPECT_TRUE(form->ExplorerFirstRead());
  EXPECT_EQ(form->FileListViewDlg1->Model().rowCount(), 0);
  EXPECT_EQ(form->ImgMgrDirectory(), Pics().toStdString());
  form->PageControl1->setCurrentWidget(form->ExplorerPage);
  form->PageControl1Change();
  form->IMPaintBox1->grab();
  form->FileListViewDlg1->WaitForRead();
  EXPECT_FALSE(form->ExplorerFirstRead());
  EXPECT_TRUE(form->IMPanelLoading->isHidden());
  EXPECT_EQ(form->FileListViewDlg1->Model().rowCount(), 8);  // sub and seven pictures by name
  form->PageControl1->setCurrentWidget(form->ImagesPage);
  form->PageControl1Change();
  EXPECT_FALSE(form->FileListViewDlg1->ReadEnabled());
}

TEST_F(ExplorerTest, ChoosingABitmapShowsItsSizeAndTheShrinkCaption) {
  OpenExplorer();
  Choose("small.bmp");
  EXPECT_EQ(form->IMWidth->text(), "100");
  EXPECT_EQ(form->IMHeight->text(), "50");
  EXPECT_EQ(form->IMSize->text().toLongLong(), QFileInfo(Pics("small.bmp")).size());
  EXPECT_EQ(form->IMShrink->text(), "Fit (FULLSIZE)");
  EXPECT_TRUE(OptionsEnabled());
  EXPECT_FALSE(form->IMAnimate->isEnabled());
  EXPECT_EQ(Offered(), "Add");
  Choose("wide.bmp");
  EXPECT_EQ(form->IMShrink->text(), "Fit (SHRINK)");
  EXPECT_EQ(form->PreviewName(), Pics("wide.bmp").toStdString());
  // The preview box draws the picture shrunk at the top left and nothing below it.
  const QImage shown = form->IMPaintBox1->grab().toImage();
  EXPECT_EQ(shown.pixelColor(2, 2), QColor(Qt::darkGreen));
  EXPECT_NE(shown.pixelColor(2, shown.height() - 2), QColor(Qt::darkGreen));
}

TEST_F(ExplorerTest, AFolderAnUnknownTypeAndADanglingLink) {
  OpenExplorer();
  Choose("small.bmp");
  Choose("sub");
  EXPECT_TRUE(form->IMSize->text().isEmpty());
  EXPECT_TRUE(form->IMWidth->text().isEmpty());
  EXPECT_FALSE(OptionsEnabled());
  EXPECT_EQ(Offered(), "none");
  EXPECT_TRUE(form->IMRemove->isHidden());
  Choose("notes.jpg");  // a link to a text file
  EXPECT_TRUE(form->IMSize->text().isEmpty());
  EXPECT_FALSE(OptionsEnabled());
  EXPECT_EQ(Offered(), "none");
  Choose("dangling.jpg");
  EXPECT_TRUE(OptionsEnabled());
  EXPECT_EQ(form->IMWidth->text(), "0");
  EXPECT_EQ(form->IMHeight->text(), "0");
  EXPECT_TRUE(form->Preview().picture.isNull());
  EXPECT_EQ(Offered(), "Add");
}

TEST_F(ExplorerTest, ACorruptBitmapEndsTheRefreshWithAnError) {
  OpenExplorer();
  Choose("small.bmp");
  {
    const QSignalBlocker quiet(form->FileListViewDlg1);
    Choose("corrupt.bmp");
  }
  EXPECT_THROW(form->FileListViewDlg1FileSelect2(), TInvalidBitmap);
  EXPECT_TRUE(OptionsEnabled());
  EXPECT_EQ(form->Busy().Count(), 0);
}

TEST_F(ExplorerTest, PngAndWebpAreListedPreviewedAndFiltered) {
  const QString data = QString(TESSERINE_TEST_DATA);
  ASSERT_TRUE(QFile::copy(data + "/ok/alpha.png", Pics("alpha.png")));
  ASSERT_TRUE(QFile::copy(data + "/ok/rose.webp", Pics("Rose.WEBP")));
  ASSERT_TRUE(QFile::copy(data + "/bad/truncated.png", Pics("cut.png")));
  OpenExplorer();
  EXPECT_EQ(form->FileListViewDlg1->Model().rowCount(), 11);
  Choose("Rose.WEBP");
  EXPECT_EQ(form->IMWidth->text(), "70");
  EXPECT_EQ(form->IMHeight->text(), "46");
  EXPECT_TRUE(OptionsEnabled());
  EXPECT_FALSE(form->IMAnimate->isEnabled());
  EXPECT_TRUE(form->IMGifImage1->isHidden());
  EXPECT_EQ(Offered(), "Add");
  Choose("alpha.png");
  EXPECT_EQ(form->Preview().picture.pixel(0, 0), qRgb(128, 0, 0));
  {
    const QSignalBlocker quiet(form->FileListViewDlg1);
    Choose("cut.png");
  }
  EXPECT_THROW(form->FileListViewDlg1FileSelect2(), TDecodeError);
  EXPECT_EQ(form->Busy().Count(), 0);

  const std::pair<const char*, int> filters[] = {
      {"All Images (BMP,GIF,JPG,JPEG,PNG,WEBP)", 11}, {"PNG files (PNG)", 3}, {"WebP files (WEBP)", 2}};
  for (const auto& [filter, rows] : filters) {
    const int index = form->IMFilterComboBox1->findText(filter);
    ASSERT_GE(index, 0) << filter;
    form->IMFilterComboBox1->setCurrentIndex(index);
    form->FileListViewDlg1->WaitForRead();
    EXPECT_EQ(form->FileListViewDlg1->Model().rowCount(), rows) << filter << ": the folder sub and its files";
  }
}

TEST_F(ExplorerTest, GifOptionsReachTheGifControl) {
  OpenExplorer();
  Choose("anim.gif");
  EXPECT_TRUE(form->IMGifImage1->isVisibleTo(form->IMPanelImage));
  EXPECT_FALSE(form->IMPaintBox1->isVisibleTo(form->IMPanelImage));
  EXPECT_EQ(form->IMWidth->text(), "8");
  EXPECT_EQ(form->IMHeight->text(), "6");
  EXPECT_TRUE(form->IMAnimate->isEnabled());
  EXPECT_TRUE(form->IMGifImage1->Animate());
  EXPECT_EQ(form->IMShrink->text(), "Fit (FULLSIZE)");
  form->IMAnimate->click();
  EXPECT_FALSE(form->IMGifImage1->Animate());
  form->IMTile->click();
  EXPECT_EQ(form->IMShrink->text(), "Fit (FULLSIZE)");
  // Narrower than the picture: Shrink scales it in proportion.
  form->IMGifImage1->resize(4, 3);
  form->IMShrink->click();
  EXPECT_EQ(form->IMShrink->text(), "Fit (SHRINK)");
  Choose("third.bmp");
  EXPECT_FALSE(form->IMGifImage1->isVisibleTo(form->IMPanelImage));
  EXPECT_FALSE(form->IMAnimate->isEnabled());
}

TEST_F(ExplorerTest, AddThenRemoveIgnoresLetterCase) {
  OpenExplorer("/elsewhere/one.bmp=TILE.NOT\r\n" + Pics("SMALL.BMP").toUtf8() + "=CENTER.NOT\r\n");
  Choose("small.bmp");
  EXPECT_EQ(Offered(), "Remove");
  Choose("wide.bmp");
  EXPECT_EQ(Offered(), "Add");
  form->IMAddClick();
  form->SetExplorerButtons();
  EXPECT_EQ(Names().size(), 3u);
  EXPECT_EQ(form->CurrentFileName(), Pics("wide.bmp").toStdString());
  EXPECT_TRUE(form->Save->isEnabled());
  EXPECT_EQ(Offered(), "Remove");
  // Adding a file already listed only selects its entry.
  Choose("small.bmp");
  form->IMAddClick();
  EXPECT_EQ(Names().size(), 3u);
  EXPECT_EQ(form->CurrentFileName(), Pics("SMALL.BMP").toStdString());
}

TEST_F(ExplorerTest, RemoveTakesExactlyTheChosenEntryFromSeveralSelected) {
  OpenExplorer("/elsewhere/one.bmp=TILE.NOT\r\n" + Pics("Small.bmp").toUtf8() + "=CENTER.NOT\r\n" +
               "/elsewhere/two.bmp=TILE.NOT\r\n");
  for (int i = 0; i < form->ImageList().Count(); ++i) form->ImageList().SetSelected(i, true);
  form->ListChanged();
  Choose("small.bmp");
  form->IMRemoveClick();
  form->SetExplorerButtons();
  EXPECT_EQ(Names(), (std::vector<std::string>{"/elsewhere/one.bmp", "/elsewhere/two.bmp"}));
  EXPECT_EQ(Offered(), "Add");
}

TEST_F(ExplorerTest, DirectoryBoxAndListFollowEachOther) {
  OpenExplorer();
  form->DirectoryComboDlg1DirectoryChange(Pics(), Pics("sub"), true);
  form->FileListViewDlg1->WaitForRead();
  EXPECT_EQ(form->FileListViewDlg1->Directory(), Pics("sub"));
  EXPECT_EQ(form->FileListViewDlg1->toolTip(), Pics("sub"));
  form->IMPrevDirClick();
  EXPECT_EQ(form->DirectoryComboDlg1->Directory(), Pics());
  form->FileListViewDlg1->WaitForRead();
  // The listed folder disappears: the list and the box move to its parent.
  form->DirectoryComboDlg1DirectoryChange(Pics(), Pics("sub"), true);
  form->FileListViewDlg1->WaitForRead();
  ASSERT_TRUE(QDir(Pics("sub")).removeRecursively());
  form->IMReReadClick();
  form->FileListViewDlg1->WaitForRead();
  EXPECT_EQ(form->ImgMgrDirectory(), Pics().toStdString());
  form->IMFilterComboBox1->setCurrentIndex(2);
  form->FileListViewDlg1->WaitForRead();
  EXPECT_EQ(form->FileListViewDlg1->Model().rowCount(), 1);  // anim.gif
}

// A large JPEG shrunk into the box is decoded no larger than the box shows it. Once a wider
// box has rested it is decoded again to cover that box; a narrower one keeps the decode.
TEST_F(ExplorerTest, AReducedPreviewFollowsItsBox) {
  QImage big(1600, 1200, QImage::Format_RGB32);
  big.fill(Qt::darkBlue);
  ASSERT_TRUE(big.save(Pics("big.jpg"), "JPEG"));
  OpenExplorer();
  form->SetIMPanelImageWidth(150);
  Choose("big.jpg");
  ASSERT_TRUE(form->Preview().Reduced());
  const QSize first = form->Preview().picture.size();
  EXPECT_LE(first.width(), form->IMPaintBox1->width());
  EXPECT_EQ(form->IMWidth->text(), "1600");
  // The values show whole in their places, not only in the labels' texts.
  for (QLabel* value : {form->IMWidth, form->IMHeight, form->IMSize})
    EXPECT_GE(value->width(), value->sizeHint().width()) << value->objectName().toStdString();

  form->SetIMPanelImageWidth(400);
  const QSize box = form->IMPaintBox1->size();
  ASSERT_GT(box.width(), first.width());
  const auto covers = [&] {
    const QSize held = form->Preview().picture.size();
    return held.width() >= std::min(box.width(), box.height() * 4 / 3) && held.width() <= box.width();
  };
  EXPECT_TRUE(WaitForEvents(covers, 5000)) << form->Preview().picture.width() << " for a box " << box.width();
  EXPECT_TRUE(form->Preview().Reduced());
  EXPECT_EQ(form->IMShrink->text(), "Fit (SHRINK)");

  const qint64 decoded = form->Preview().picture.cacheKey();
  form->SetIMPanelImageWidth(200);
  WaitForEvents([] { return false; }, 400);
  EXPECT_EQ(form->Preview().picture.cacheKey(), decoded);
}

TEST_F(ExplorerTest, MovingTheSplitterRecordsAChange) {
  OpenExplorer();
  EXPECT_FALSE(form->Save->isEnabled());
  emit form->IMSplitter1->splitterMoved(200, 1);
  EXPECT_TRUE(form->Save->isEnabled());
  EXPECT_GE(form->IMPanelImage->minimumWidth(), 100);
}

}  // namespace

// The Images page's method icons and shortcut menu, driven through the real window.
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPushButton>

#include "widgets/PaintBox.h"
#include "window/FormFixture.h"
#include "window/ImgDispFrm.h"

namespace {

class ImagesPageTest : public FormTest {
 protected:
  void OpenWithPictures(const std::vector<std::string>& entries) {
    QByteArray text = "[Info]\r\n[Bitmaps]\r\n";
    for (const std::string& entry : entries) {
      const QString name = dir.path() + "/" + QString::fromStdString(entry.substr(0, entry.find('=')));
      QImage picture(8, 6, QImage::Format_RGB32);
      picture.fill(Qt::blue);
      picture.save(name, "BMP");
      text += dir.path().toUtf8() + "/" + QByteArray::fromStdString(entry) + "\r\n";
    }
    OpenWith(text);
  }

  void Select(const std::vector<int>& rows) {
    TImageList& list = form->ImageList();
    list.ClearSelection();
    for (int row : rows) list.SetSelected(row, true);
    list.SetFocused(rows.front());
    form->ListChanged();
    form->ItemSelectUpdt();
  }

  // The one method icon that shows.
  int VisibleIcon() const {
    int shown = -1;
    for (int code = 0; code < DispObjCount; ++code)
      if (!form->MethodIcons[code]->isHidden()) {
        EXPECT_EQ(shown, -1) << "two icons show";
        shown = code;
      }
    return shown;
  }
};

TEST_F(ImagesPageTest, SevenIconClicksGoRoundTheCycleAndComeBack) {
  OpenWithPictures({"a.bmp=TILE.NOT"});
  Select({0});
  const std::vector<DispObj> cycle = {DispObj::MirrorTile, DispObj::BrickTile, DispObj::RatioStretch,
                                      DispObj::DoubleTile, DispObj::Center,    DispObj::Stretch,
                                      DispObj::Tile};
  for (DispObj expected : cycle) {
    const int shown = VisibleIcon();
    ASSERT_GE(shown, 0);
    form->IconClick(form->MethodIcons[shown]);
    EXPECT_EQ(form->ImageList().At(0).disp, expected);
    EXPECT_EQ(VisibleIcon(), ToInt(expected));
  }
  EXPECT_TRUE(form->Save->isEnabled());
}

TEST_F(ImagesPageTest, ShortcutMenuFollowsTheButtonsAndTheSelection) {
  OpenWithPictures({"a.bmp=CENTER.NOT", "b.bmp=TILE.NOT", "missing.bmp=TILE.NOT"});
  QFile::remove(dir.path() + "/missing.bmp");
  Select({0});
  form->ImgPopupMenuPopup();
  EXPECT_TRUE(form->MIDisplay->isEnabled());
  EXPECT_TRUE(form->MIApply->isEnabled());
  EXPECT_TRUE(form->MIDisplayTypeItems[ToInt(DispObj::Center)]->isChecked());

  // Several entries: only Remove and Display Type, and Display Type sets every one.
  Select({0, 1});
  form->ImgPopupMenuPopup();
  EXPECT_FALSE(form->MIMoveUp->isEnabled());
  EXPECT_FALSE(form->MIMoveDown->isEnabled());
  EXPECT_FALSE(form->MIDisplay->isEnabled());
  EXPECT_FALSE(form->MIApply->isEnabled());
  EXPECT_TRUE(form->MIRemove->isEnabled());
  EXPECT_TRUE(form->MIDisplayType->isEnabled());
  form->MIDisplayTypeClick(form->MIDisplayTypeItems[ToInt(DispObj::DoubleTile)]);
  EXPECT_EQ(form->ImageList().At(0).disp, DispObj::DoubleTile);
  EXPECT_EQ(form->ImageList().At(1).disp, DispObj::DoubleTile);

  // A picture that cannot be opened: nothing to display or apply.
  Select({2});
  form->ImgPopupMenuPopup();
  EXPECT_FALSE(form->MIDisplay->isEnabled());
  EXPECT_FALSE(form->MIApply->isEnabled());
  EXPECT_TRUE(form->MIRemove->isEnabled());
}

TEST_F(ImagesPageTest, DisplayShowsTheSelectedPictureInTheViewer) {
  OpenWithPictures({"a.bmp=TILE.NOT"});
  Select({0});
  form->DisplayClick();
  EXPECT_EQ(form->ImgDispForm->ShowImageName, form->ImageList().At(0).fileName);
  EXPECT_EQ(form->ImgDispForm->ViewBitmap.size(), QSize(8, 6));
  EXPECT_TRUE(form->ImgDispForm->isVisible());
  form->ImgDispForm->CloseClick();
}

}  // namespace

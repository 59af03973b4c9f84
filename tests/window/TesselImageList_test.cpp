// The list operations of the real window and the selection each leaves.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

#include "FormFixture.h"

namespace {
const QByteArray kUnsorted =
    "[Info]\r\nSortImages=0\r\nDefault Display=CENTER\r\n[Bitmaps]\r\n/p/one.bmp=TILE.NOT\r\n"
    "/p/two.bmp=STRETCH.NOT\r\n/p/three.bmp=BRICK_TILE.NOT\r\n";
const QByteArray kSorted = "[Info]\r\n[Bitmaps]\r\n/p/b.bmp=TILE.NOT\r\n/p/c.bmp=TILE.NOT\r\n/p/a.bmp=TILE.NOT\r\n";
}  // namespace

class ListTest : public FormTest {
 protected:
  void Select(std::initializer_list<int> rows) {
    form->ImageList().ClearSelection();
    for (int row : rows) form->ImageList().SetSelected(row, true);
    form->ListChanged();
    form->ItemSelectUpdt();
  }
};

TEST_F(ListTest, SortedLoadAndAdditionsKeepOrder) {
  OpenWith(kSorted);
  EXPECT_EQ(Names(), (std::vector<std::string>{"/p/a.bmp", "/p/b.bmp", "/p/c.bmp"}));
  form->AddImageFile("  /p/ab.bmp\t", true);
  EXPECT_EQ(Names(), (std::vector<std::string>{"/p/a.bmp", "/p/ab.bmp", "/p/b.bmp", "/p/c.bmp"}));
  EXPECT_EQ(form->ImageList().At(1).mark, -1);
  EXPECT_FALSE(form->Save->isEnabled());
}

TEST_F(ListTest, AddClickSelectsExactlyTheChosenFiles) {
  OpenWith(kSorted);
  addDialog.files = std::vector<std::string>{"/new/z.jpg", "/P/B.BMP", "   ", "/new/y.gif"};
  form->AddClick();
  EXPECT_EQ(Names(), (std::vector<std::string>{"/new/y.gif", "/new/z.jpg", "/p/a.bmp", "/p/b.bmp", "/p/c.bmp"}));
  EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(form->ImageList().At(0).disp, DispObj::Tile);
  EXPECT_EQ(form->Settings().AddDialogFolder, "/new");
  EXPECT_TRUE(form->Save->isEnabled());
  EXPECT_EQ(form->Count->text(), "5");
  EXPECT_TRUE(addDialog.lastFilter.startsWith(
      "Graphics (*.BMP;*.JPG;*.JPEG;*.GIF;*.PNG;*.WEBP)|*.BMP;*.JPG;*.JPEG;*.GIF;*.PNG;*.WEBP|"));
  form->SaveClick();
  EXPECT_TRUE(IniBytes().contains("Default Directory=/new\r\n"));
}

// A name with "=" or a line break would come back from the saved file as another name.
TEST_F(ListTest, AddClickRefusesNamesTheFileCannotHoldWithOneError) {
  OpenWith(kSorted);
  addDialog.files = std::vector<std::string>{"/new/a=b.jpg", "/new/ok.jpg", "/new/two\nlines.gif"};
  form->AddClick();
  const std::vector<std::string> kept = {"/new/ok.jpg", "/p/a.bmp", "/p/b.bmp", "/p/c.bmp"};
  EXPECT_EQ(Names(), kept);
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].kind, MsgKind::Error);
  EXPECT_TRUE(messages.asked[0].text.endsWith("\n\n/new/a=b.jpg\n/new/two\nlines.gif"))
      << messages.asked[0].text.toStdString();
  form->SaveClick();
  form.reset();
  Open();
  EXPECT_EQ(Names(), kept);
}

TEST_F(ListTest, AddClickCancelledChangesNothing) {
  OpenWith(kSorted);
  addDialog.files.reset();
  form->AddClick();
  EXPECT_EQ(form->ImageList().Count(), 3);
  EXPECT_FALSE(form->Save->isEnabled());
}

TEST_F(ListTest, NewEntriesTakeTheDefaultMethod) {
  OpenWith(kUnsorted);
  form->AddImageFile("/p/four.bmp", true);
  EXPECT_EQ(Names().back(), "/p/four.bmp");
  EXPECT_EQ(form->ImageList().At(3).disp, DispObj::Center);
}

TEST_F(ListTest, RemoveSelectsTheNeighbour) {
  struct Row {
    std::initializer_list<int> selected;
    std::vector<std::string> left;
    std::vector<int> selectedAfter;
  };
  const Row rows[] = {
      {{0}, {"/p/two.bmp", "/p/three.bmp"}, {0}},
      {{2}, {"/p/one.bmp", "/p/two.bmp"}, {1}},
      {{0, 1, 2}, {}, {}},
      {{0, 2}, {"/p/two.bmp"}, {0}},
  };
  for (const Row& row : rows) {
    WriteIni(kUnsorted);
    Open();
    Select(row.selected);
    form->MIRemoveClick();
    EXPECT_EQ(Names(), row.left);
    EXPECT_EQ(SelectedRows(), row.selectedAfter);
    EXPECT_TRUE(form->Save->isEnabled());
  }
}

TEST_F(ListTest, RemoveWithoutSelectionDoesNothing) {
  OpenWith(kUnsorted);
  Select({});
  form->RemoveClick();
  EXPECT_EQ(form->ImageList().Count(), 3);
  EXPECT_FALSE(form->Remove->isEnabled());
}

TEST_F(ListTest, MoveKeepsMethodAndMarkAndSelection) {
  OpenWith(kUnsorted);
  form->ImageList().SetMark(0, 1);
  Select({0});
  form->MoveDownClick();
  EXPECT_EQ(Names(), (std::vector<std::string>{"/p/two.bmp", "/p/one.bmp", "/p/three.bmp"}));
  EXPECT_EQ(form->ImageList().At(1).disp, DispObj::Tile);
  EXPECT_EQ(form->ImageList().At(1).mark, 1);
  EXPECT_EQ(SelectedRows(), std::vector<int>{1});
  form->MoveUpClick();
  form->MoveUpClick();
  EXPECT_EQ(Names(), (std::vector<std::string>{"/p/one.bmp", "/p/two.bmp", "/p/three.bmp"}));
  EXPECT_FALSE(form->MoveUp->isEnabled());
  EXPECT_TRUE(form->MoveDown->isEnabled());
  EXPECT_TRUE(messages.asked.empty());
}

TEST_F(ListTest, MoveWhileSortingIsRefusedOnceUntilSortClicked) {
  OpenWith(kSorted);
  Select({1});
  EXPECT_TRUE(form->MoveUp->isEnabled());
  form->MoveUpClick();
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_TRUE(messages.asked[0].text.startsWith("Move Up/Move Down options are not available"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"/p/a.bmp", "/p/b.bmp", "/p/c.bmp"}));
  EXPECT_FALSE(form->MoveUp->isEnabled());
  EXPECT_FALSE(form->MoveDown->isEnabled());
  form->ItemSelectUpdt();
  EXPECT_FALSE(form->MoveUp->isEnabled());
  form->ConfirmRemove->click();
  EXPECT_FALSE(form->MovesRefused());
  EXPECT_TRUE(form->MoveUp->isEnabled());
}

TEST_F(ListTest, SortOffKeepsOrderSortOnSortsAtOnce) {
  OpenWith(kUnsorted);
  form->SortImages->setChecked(true);
  EXPECT_EQ(Names(), (std::vector<std::string>{"/p/one.bmp", "/p/three.bmp", "/p/two.bmp"}));
  form->SortImages->setChecked(false);
  form->AddImageFile("/p/a.bmp", true);
  EXPECT_EQ(Names(), (std::vector<std::string>{"/p/one.bmp", "/p/three.bmp", "/p/two.bmp", "/p/a.bmp"}));
}

TEST_F(ListTest, CurrentEntryIsFirstSelected) {
  OpenWith(kUnsorted);
  Select({2, 1});
  EXPECT_EQ(form->CurrentFileName(), "/p/two.bmp");
  EXPECT_EQ(form->CurrentDispObj(), DispObj::Stretch);
  Select({});
  EXPECT_EQ(form->CurrentFileName(), "");
  EXPECT_EQ(form->CurrentDispObj(), DispObj::Center);
}

TEST_F(ListTest, ButtonsFollowTheSelection) {
  Open();
  EXPECT_EQ(form->Count->text(), "0");
  EXPECT_FALSE(form->Remove->isEnabled());
  EXPECT_FALSE(form->Apply->isEnabled());
  EXPECT_FALSE(form->OK->isEnabled());
  form->AddImageFile("/p/x.bmp", true);
  form->AddImageFile("/p/y.bmp", true);
  form->ItemSelectUpdt();
  EXPECT_TRUE(form->OK->isEnabled());
  EXPECT_TRUE(form->Remove->isEnabled());
  // Two selected: the display group is off.
  EXPECT_FALSE(form->PanelDisplay->isEnabled());
  // Pictures that do not exist decode to nothing, so Apply stays off.
  EXPECT_FALSE(form->Apply->isEnabled());
  EXPECT_EQ(form->labelWidth->text(), "0");
}

TEST_F(ListTest, DisplayTypeMenuSetsEverySelectedEntry) {
  OpenWith(kUnsorted);
  Select({0, 2});
  form->MIDisplayTypeClick(form->MIDisplayTypeItems[ToInt(DispObj::RatioStretch)]);
  EXPECT_EQ(form->ImageList().At(0).disp, DispObj::RatioStretch);
  EXPECT_EQ(form->ImageList().At(1).disp, DispObj::Stretch);
  EXPECT_EQ(form->ImageList().At(2).disp, DispObj::RatioStretch);
  EXPECT_TRUE(form->Save->isEnabled());
}

TEST_F(ListTest, UnreadMethodIsFetchedFromTheFile) {
  OpenWith(kUnsorted);
  form->ImageList().SetDisp(2, DispObj::None);
  Select({2});
  EXPECT_EQ(form->ImageList().At(2).disp, DispObj::BrickTile);
}

TEST_F(ListTest, TheShortcutMenuSetsAndClearsTheDarkPictureAndTheListShowsIt) {
  OpenWith(kUnsorted);
  Select({1});
  form->ImgPopupMenuPopup();
  EXPECT_TRUE(form->MIDarkPicture->isEnabled());
  EXPECT_FALSE(form->MINoDarkPicture->isEnabled());
  addDialog.files = std::vector<std::string>{"/q/two-night.png"};
  form->DarkPictureClick();
  EXPECT_EQ(form->ImageList().At(1).dark, "/q/two-night.png");
  EXPECT_EQ(form->ListView1->model()->index(1, 0).data().toString(), "/p/two.bmp  [dark: two-night.png]");
  EXPECT_TRUE(form->Save->isEnabled());
  form->SaveClick();
  EXPECT_TRUE(IniBytes().endsWith("[Dark]\r\n/p/two.bmp=/q/two-night.png\r\n\r\n")) << IniBytes().toStdString();

  // The entry's own file is refused with a box, and the partner stays.
  addDialog.files = std::vector<std::string>{"/p/two.bmp"};
  form->DarkPictureClick();
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].text, "A picture cannot be its own dark picture.");
  EXPECT_EQ(form->ImageList().At(1).dark, "/q/two-night.png");

  form->ImgPopupMenuPopup();
  EXPECT_TRUE(form->MINoDarkPicture->isEnabled());
  form->NoDarkPictureClick();
  EXPECT_EQ(form->ImageList().At(1).dark, "");
  EXPECT_EQ(form->ListView1->model()->index(1, 0).data().toString(), "/p/two.bmp");
  form->SaveClick();
  EXPECT_FALSE(IniBytes().contains("[Dark]"));
}
